#pragma once
// Lists the installed applications, finds what belongs to one of them in the
// user's Library, measures it, and removes the items the user keeps selected.
// Synchronous: the uninstall view model calls it from background jobs.
//
// Identifiers and names come from the applications' own Info.plist files and
// are untrusted: one that could step out of its folder never builds a path,
// and nothing outside the Library and the application folders is removed.

#include "model/InstalledApp.hpp"
#include "model/UninstallItem.hpp"
#include "platform/FileSystem.hpp"
#include "platform/HostLayout.hpp"

#include <cstdint>
#include <string>
#include <vector>

namespace zentrel::services {

struct UninstallResult {
    std::int64_t freedBytes = 0;
    // Paths whose removal failed, in item order.
    std::vector<std::string> failures;
};

struct LeftoverCandidate {
    model::UninstallItemKind kind;
    std::string path;
    bool operator==(const LeftoverCandidate&) const = default;
};

class AppUninstaller final {
public:
    AppUninstaller(platform::FileSystem& fileSystem, const platform::HostLayout& layout);

    // "/Applications", "/Applications/Utilities" under the system root, then
    // the home folder's "Applications".
    [[nodiscard]] const std::vector<std::string>& searchRoots() const { return searchRoots_; }

    // The ".app" folders directly inside the search roots, by name.
    [[nodiscard]] std::vector<model::InstalledApp> listInstalledApps() const;
    // The application and its leftovers that exist, each measured and selected.
    [[nodiscard]] std::vector<model::UninstallItem> findLeftovers(const model::InstalledApp& app) const;
    // Removes the selected items for good, going on after a failure.
    [[nodiscard]] UninstallResult uninstallItems(const std::vector<model::UninstallItem>& items);

    // Where an application's leftovers may lie under `home`/Library. An
    // identifier or name that is empty or could leave its folder gives none.
    [[nodiscard]] static std::vector<LeftoverCandidate> leftoverCandidates(const std::string& bundleID,
                                                                           const std::string& appName,
                                                                           const std::string& home);
    // Bytes on disk of a file, or of the visible files inside a folder.
    [[nodiscard]] std::int64_t measureSize(const std::string& path) const;

private:
    [[nodiscard]] bool isApplicationBundlePath(const std::string& path) const;
    [[nodiscard]] bool mayRemove(const std::string& path) const;

    platform::FileSystem& fileSystem_;
    std::string home_;
    std::vector<std::string> searchRoots_;
};

// Whether `text` can name one entry of a folder: not empty, no "/", no "..".
[[nodiscard]] bool isSafePathComponent(const std::string& text);
// Whether the Group Containers entry `name` belongs to `bundleID`: the
// identifier appears in it between dots or at its ends.
[[nodiscard]] bool groupContainerMatches(const std::string& name, const std::string& bundleID);

}  // namespace zentrel::services
