#pragma once

#include <filesystem>
#include <vector>

namespace zentrel::platform {

// The folder of the running program; empty when it cannot be read.
[[nodiscard]] std::filesystem::path runningProgramFolder();

// Where the programs and modules that ship with a program lie, first match
// wins: beside it (the build tree, the helpers themselves), then the install
// tree's helper folder relative to it (bin/../lib/zentrel), so that an
// installed copy finds its own helpers wherever its tree was unpacked.
[[nodiscard]] std::vector<std::filesystem::path> helperFolders(const std::filesystem::path& programFolder);

// The modules a program loads lie in "modules" inside its helper folders.
[[nodiscard]] std::vector<std::filesystem::path> moduleFolders(const std::filesystem::path& programFolder);

}  // namespace zentrel::platform
