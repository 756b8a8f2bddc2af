#pragma once
// Whether a browser is running on a cookie store, and which browser a store
// belongs to. Chromium-family browsers hold no database lock between writes,
// so they are known by the "SingletonLock" link of their user-data folder
// ("host-PID"); Firefox by the "lock" link of its profile ("address:+PID").
// Either counts only while the process it names is alive on this machine, is
// a process and not one of its threads, and runs that browser's program: a
// lock left by a crash may name a number that another program has since.

#include "model/BrowserKind.hpp"
#include "platform/places/HostTable.hpp"

#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <string>
#include <vector>

namespace zentrel::scanners {

[[nodiscard]] bool isHeldByRunningBrowser(const std::string& storePath);

// Whether the decimal `pid` is a live process of `procRoot` (not a thread)
// whose program's file name is one of `programs`.
[[nodiscard]] bool isProcessOfProgram(std::string_view pid, std::span<const std::string_view> programs,
                                      const std::filesystem::path& procRoot = "/proc");

// Where a browser keeps its cookie stores: a Chromium-family user-data
// folder, or a folder of Firefox profiles.
struct BrowserFolder {
    model::BrowserKind browser;
    std::filesystem::path folder;
};
// The browsers' folders of a host, as its table names them.
[[nodiscard]] std::vector<BrowserFolder> browserFolders(const platform::HostTable& table);
// The browser whose folder holds a store; none when no folder does.
[[nodiscard]] std::optional<model::BrowserKind> browserOfStore(const std::string& storePath,
                                                               const std::vector<BrowserFolder>& folders);

}  // namespace zentrel::scanners
