#pragma once
// The program of an application the user installed into the home folder (a
// folder unpacked into ~/.local/opt, an AppImage in ~/Applications...), as
// its desktop entry names it, and what of it the uninstaller removes with
// the application. Paths come from the entry and are untrusted: only a plain
// absolute path inside the home, outside the desktop's shared places and the
// main folders, counts.

#include "platform/files/FileSystem.hpp"
#include "platform/places/HostTable.hpp"
#include "services/DesktopEntry.hpp"

#include <optional>
#include <string>
#include <vector>

namespace zentrel::services {

// The program file the entry runs from inside the home: Exec's program when
// it is absolute (or relative to the working folder Path), else TryExec,
// else Exec's program inside Path. None when no such file exists.
[[nodiscard]] std::optional<std::string> userProgramOf(const DesktopEntry& entry, const platform::FileSystem& fileSystem,
                                                       const platform::HostTable& table);

// What goes with the application: the folder that holds `program` when that
// folder is the program's own (named after the application by one of
// `names`, holding no program of `otherPrograms`, no shared or main folder),
// else the file alone.
[[nodiscard]] std::string userProgramItem(const std::string& program, const std::vector<std::string>& names,
                                          const std::vector<std::string>& otherPrograms,
                                          const platform::HostTable& table);

}  // namespace zentrel::services
