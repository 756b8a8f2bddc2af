#pragma once
// Whether a browser is running on a cookie store, and which browser a store
// belongs to. A pid in a lock is only a hint: a sandboxed browser runs in a
// pid namespace of its own, and a lock left by a crash may name a number
// that another program has since. So a store is held when
//  - under ~/.var/app/APP/, a Flatpak instance of APP is running (its record
//    in the runtime folder, whose ".ref" the sandbox keeps locked); no such
//    instance means no browser, whatever the locks say;
//  - a live browser process has the profile open (named on its command line
//    or holding files under it);
//  - Firefox's "lock" or ".parentlock" holds an fcntl lock, seen from every
//    namespace; an unlocked one means Firefox is not running there;
//  - Chromium's "SingletonSocket" answers a connect; one that refuses means
//    the browser has gone;
//  - otherwise the lock names a pid that is no browser of this system: the
//    browser may be running in a sandbox, and the store is left alone.

#include "model/BrowserKind.hpp"
#include "platform/files/FileSystem.hpp"
#include "platform/places/HostTable.hpp"
#include "platform/processes/ProcessSystem.hpp"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zentrel::scanners {

// Why a store must be left alone now.
enum class BrowserHold {
    running,         // the browser runs on it
    maybeSandboxed,  // its lock names a process this system cannot see
};

class RunningBrowsers {
public:
    RunningBrowsers(const platform::ProcessSystem& system, const platform::FileSystem& fileSystem);
    // The running system's.
    [[nodiscard]] static const RunningBrowsers& shared();

    [[nodiscard]] std::optional<BrowserHold> holdOn(const std::string& storePath) const;

private:
    [[nodiscard]] std::optional<BrowserHold> firefoxHold(const std::filesystem::path& profile) const;
    [[nodiscard]] std::optional<BrowserHold> chromiumHold(const std::filesystem::path& userData) const;
    // Whether an instance of the Flatpak `app` runs; none when the records cannot be read.
    [[nodiscard]] std::optional<bool> flatpakRuns(const std::string& app) const;
    // Whether a live process of one of `programs` has `folder` open.
    [[nodiscard]] bool browserHasOpen(const std::filesystem::path& folder, bool firefox) const;

    const platform::ProcessSystem& system_;
    const platform::FileSystem& fileSystem_;
};

[[nodiscard]] std::optional<BrowserHold> runningBrowserHold(const std::string& storePath);
[[nodiscard]] bool isHeldByRunningBrowser(const std::string& storePath);

// The Flatpak application whose data folder (~/.var/app/APP) holds `path`.
[[nodiscard]] std::optional<std::string> flatpakAppOfPath(const std::filesystem::path& path);

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
