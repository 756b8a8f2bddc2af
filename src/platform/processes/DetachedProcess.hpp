#pragma once
// Starts a program that outlives the app and is never waited for (a settings
// page, a new instance of the app).

#include <string>
#include <vector>

namespace zentrel::platform {

// `command[0]` is a path or a name looked up in PATH. Returns true once the
// program has replaced the child process, false when it could not be started.
// Blocks only until then.
[[nodiscard]] bool launchDetached(const std::vector<std::string>& command);

}  // namespace zentrel::platform
