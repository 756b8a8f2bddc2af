#pragma once
// IBus's preload engines and engine order, as the desktop's settings keep
// them: the engine first in them is the one IBus selects again after a
// restart or a new login. Where the settings are not installed nothing is
// kept and every call answers false.

#include <string>
#include <vector>

namespace zentrel::platform {

// Puts `engine` first in both lists.
bool putIBusEngineFirst(const std::string& engine);
// Takes `engine` out of both lists.
bool removeIBusPreloadEngine(const std::string& engine);
// The preload engines, in order; empty where the settings are not installed.
std::vector<std::string> ibusPreloadEngines();

}  // namespace zentrel::platform
