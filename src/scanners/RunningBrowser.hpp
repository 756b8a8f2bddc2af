#pragma once
// Whether a browser is running on a cookie store, and which browser a store
// belongs to. Chromium-family browsers hold no database lock between writes,
// so they are known by the "SingletonLock" link of their user-data folder
// ("host-PID"); Firefox by the "lock" link of its profile ("address:+PID").
// Either counts only while the process it names is alive on this machine.

#include "model/BrowserKind.hpp"
#include "platform/HostTable.hpp"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zentrel::scanners {

[[nodiscard]] bool isHeldByRunningBrowser(const std::string& storePath);

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
