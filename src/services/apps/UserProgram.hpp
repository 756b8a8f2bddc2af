#pragma once
// The program of an application the user installed into the home folder (a
// folder unpacked into ~/.local/opt, an AppImage in ~/Applications...), as
// its desktop entry names it, and what of it the uninstaller removes with
// the application. Paths come from the entry and are untrusted: only a plain
// absolute path inside the home, outside the desktop's shared places and the
// main folders, counts; and a program goes only when it is the
// application's own: an executable file no other entry runs, no dotfile or
// settings file, no link to anything outside the home, its folder only when
// no other entry keeps a program there and it lies in no user folder.

#include "model/KeptBackItem.hpp"
#include "platform/files/FileSystem.hpp"
#include "platform/places/HostTable.hpp"
#include "services/apps/DesktopEntry.hpp"

#include <optional>
#include <string>
#include <vector>

namespace zentrel::services {

// The program file the entry runs from inside the home: Exec's program when
// it is absolute (or relative to the working folder Path), else TryExec,
// else Exec's program inside Path. None when no such file exists.
[[nodiscard]] std::optional<std::string> userProgramOf(const DesktopEntry& entry, const platform::FileSystem& fileSystem,
                                                       const platform::HostTable& table);

// Where another application's entry runs from or works in: its programs and
// working folder as written and as their links resolve, and the program Exec
// names without a folder (found on PATH).
struct ProgramUser {
    std::string entryPath;
    std::string name;  // the application's name, as the menus show it
    std::vector<std::string> paths;
    std::string bareProgram;
};
[[nodiscard]] ProgramUser programUserOf(const std::string& entryPath, const DesktopEntry& entry,
                                        const platform::HostTable& table, const platform::FileSystem& fileSystem);

struct ProgramOffer {
    std::optional<std::string> item;            // what goes with the application
    std::vector<model::KeptBackItem> keptBack;  // what its entry points at but stays, and why
};

// What goes with the application of `program` (userProgramOf's answer): the
// folder that holds it when that folder is the program's own (named after
// the application by one of `names`, holding nothing of `others`, no shared,
// main or user folder, nor inside a user folder), else the file alone; or
// nothing when the file is not the application's to lose.
[[nodiscard]] ProgramOffer offerUserProgram(const std::string& program, const std::vector<std::string>& names,
                                            const std::vector<ProgramUser>& others, const platform::HostTable& table,
                                            const platform::FileSystem& fileSystem);

}  // namespace zentrel::services
