#pragma once
// A generated Linux desktop home with junk in every category the scan knows
// there: XDG caches, the Trash with its info entries, old downloads, tool
// caches, Evolution's mail cache, autostart entries and a user unit enabled
// at login, browser cookie stores in their current and older places, recent
// items, shell histories and duplicates, and beside it a system root with
// shared caches and a system-wide autostart entry. Large files are sparse,
// so the fixture costs little disk.

#include <filesystem>
#include <map>
#include <set>
#include <string>

namespace zentrel::testing {

struct LinuxHomeFixture {
    std::filesystem::path home;
    std::filesystem::path systemRoot;
    // What a scan of it finds: item paths by category name, e.g. "Trash & Downloads".
    std::map<std::string, std::set<std::string>> expectedPaths;
};

// Writes the fixture into `folder` ("folder/home" and "folder/sys").
LinuxHomeFixture generateLinuxHome(const std::filesystem::path& folder);

}  // namespace zentrel::testing
