#pragma once
// Lists the installed applications, finds what belongs to one of them in the
// user's folders, measures it, and removes the items the user keeps selected.
// On a Mac's layout the applications are ".app" bundles and their leftovers
// lie in the Library; on a Linux desktop's they are desktop entries and their
// leftovers lie in the XDG folders and the autostart folder, found by the
// desktop id and the name. Synchronous: the uninstall view model calls it
// from background jobs.
//
// Identifiers and names come from the applications' own files and are
// untrusted: one that could step out of its folder never builds a path, and
// every removal goes through the deletion guard (no link on the way, nothing
// outside the home and the application folders).

#include "model/InstalledApp.hpp"
#include "model/KeptBackItem.hpp"
#include "model/UninstallItem.hpp"
#include "platform/files/FileSystem.hpp"
#include "platform/places/HostLayout.hpp"
#include "platform/places/HostTable.hpp"
#include "services/apps/DesktopEntry.hpp"
#include "services/apps/UserProgram.hpp"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zentrel::services {

struct UninstallResult {
    std::int64_t freedBytes = 0;
    // Paths whose removal failed, in item order.
    std::vector<std::string> failures;
};

// What removing an application would delete, and what its entry points at
// that stays, with the reason.
struct AppLeftovers {
    std::vector<model::UninstallItem> items;
    std::vector<model::KeptBackItem> keptBack;
};

struct LeftoverCandidate {
    model::UninstallItemKind kind;
    std::string path;
    bool operator==(const LeftoverCandidate&) const = default;
};

class AppUninstaller final {
public:
    // A Mac's layout.
    AppUninstaller(platform::FileSystem& fileSystem, const platform::HostLayout& layout);
    AppUninstaller(platform::FileSystem& fileSystem, platform::HostTable table);

    // The table's application folders: on a Mac "/Applications" and
    // "/Applications/Utilities" under the system root, then the home folder's
    // "Applications"; on Linux the desktop-entry folders.
    [[nodiscard]] const std::vector<std::string>& searchRoots() const { return searchRoots_; }

    // The ".app" folders (or desktop entries of applications) directly
    // inside the search roots, by name; a desktop id seen before is skipped.
    // A desktop entry a package manager installed names its package.
    [[nodiscard]] std::vector<model::InstalledApp> listInstalledApps() const;
    // The application and its leftovers that exist, each measured and
    // selected. On Linux a program the user's desktop entry runs from inside
    // the home comes first, as the application itself.
    [[nodiscard]] std::vector<model::UninstallItem> findLeftovers(const model::InstalledApp& app) const;
    // The same, with what is not offered and why ("also used by Inkpad Viewer").
    [[nodiscard]] AppLeftovers surveyLeftovers(const model::InstalledApp& app) const;
    // Removes the selected items for good, going on after a failure.
    [[nodiscard]] UninstallResult uninstallItems(const std::vector<model::UninstallItem>& items);

    // Where an application's leftovers may lie under `home`/Library. An
    // identifier or name that is empty or could leave its folder gives none.
    [[nodiscard]] static std::vector<LeftoverCandidate> leftoverCandidates(const std::string& bundleID,
                                                                           const std::string& appName,
                                                                           const std::string& home);
    // The same on this uninstaller's layout. On a Linux desktop's the names
    // are the desktop id, the executable's name and the display name where it
    // is one of those (see leftoverNames), and the desktop's shared places
    // are never candidates.
    [[nodiscard]] std::vector<LeftoverCandidate> candidatesFor(const std::string& bundleID, const std::string& appName,
                                                               const std::string& executable = {}) const;
    // Bytes on disk of a file, or of the visible files inside a folder.
    [[nodiscard]] std::int64_t measureSize(const std::string& path) const;

private:
    [[nodiscard]] bool isApplicationBundlePath(const std::string& path) const;
    [[nodiscard]] bool mayRemove(const std::string& path) const;

    // Each application's desktop entry of the search roots, the user's before
    // the system's of the same id, with the package that installed it; with
    // `runnable`, the entries the menus do not show too.
    void forEachDesktopEntry(
        const std::function<void(const std::string&, const DesktopEntry&, std::optional<model::PackageOwner>)>& visit,
        bool runnable = false) const;
    [[nodiscard]] std::vector<model::InstalledApp> listDesktopEntries() const;
    // The programs that desktop entries of the user's own applications run
    // from inside the home: the entry, and what of the program goes with it.
    struct UserProgram {
        std::string entryPath;
        ProgramOffer offer;
    };
    [[nodiscard]] std::vector<UserProgram> userPrograms() const;
    // The autostart entries that start `app`: named by one of its leftover
    // names (alone or followed by "-..."), or running its executable.
    [[nodiscard]] std::vector<std::string> ownAutostartEntries(const model::InstalledApp& app, const std::string& name,
                                                                 const std::string& executable) const;

    platform::FileSystem& fileSystem_;
    platform::HostTable table_;
    std::vector<std::string> searchRoots_;
};

// The names under which a desktop entry's application keeps its files: its
// desktop id and its executable's name, trimmed, and its display name only
// where it equals one of them but for case (a display name alone is chosen by
// whoever wrote the entry, a web-app shortcut takes a website's). Names that
// could leave their folder are left out.
[[nodiscard]] std::vector<std::string> leftoverNames(const std::string& desktopID, const std::string& executable,
                                                     const std::string& displayName);

// Whether `text` can name one entry of a folder: not empty, no "/", no "..".
[[nodiscard]] bool isSafePathComponent(const std::string& text);
// Whether the Group Containers entry `name` belongs to `bundleID`: the whole
// identifier, of at least two labels, appears in it between dots or at its
// ends. A one-label identifier ("com") matches nothing.
[[nodiscard]] bool groupContainerMatches(const std::string& name, const std::string& bundleID);

}  // namespace zentrel::services
