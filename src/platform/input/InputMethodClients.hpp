#pragma once
// Whether a running program reads its keys through IBus in a way the key tap
// cannot fix behind: GTK 4 with IBus's input-method module hands every key
// to the daemon and back before the field sees it, so that a fix sent after
// a key lands among keys still on their way and garbles the word. Read from
// the modules the process has mapped (/proc/PID/maps).

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace zentrel::platform {

// True when the maps text shows such a module.
[[nodiscard]] bool mapsShowKeysReadThroughIBus(std::string_view maps);
// The same for a process; false when its maps cannot be read.
[[nodiscard]] bool processReadsKeysThroughIBus(std::int64_t pid, const std::filesystem::path& procRoot = "/proc");

}  // namespace zentrel::platform
