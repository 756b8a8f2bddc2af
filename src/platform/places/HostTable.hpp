#pragma once
// Where each category of the scan, the cookie stores, the privacy scanner,
// the uninstaller and the deletion guard find things on one platform's
// layout. One table is chosen once, for the whole run: the macOS one, whose
// locations are those of a Mac's home and Library, or the Linux desktop one
// (XDG folders), the default here. Scanners keep their own rules and texts
// and ask the table only for locations.
//
// Rows of a scanner's own table are found by the row's label; a row that has
// no place on a layout is absent, and its scanner finds nothing there. Every
// path is absolute; an empty one means the layout has no such place.

#include "platform/files/FileSystem.hpp"
#include "platform/places/HostLayout.hpp"
#include "platform/text/Localization.hpp"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zentrel::platform {

enum class HostPlatform { linuxDesktop, macos };

// "linux" or "macos".
[[nodiscard]] std::optional<HostPlatform> hostPlatformNamed(std::string_view name);
[[nodiscard]] std::string_view hostPlatformName(HostPlatform platform);
// The layout of the platform this program runs on.
[[nodiscard]] constexpr HostPlatform currentHostPlatform() {
#ifdef __APPLE__
    return HostPlatform::macos;
#else
    return HostPlatform::linuxDesktop;
#endif
}

struct HostTable {
    using Rows = std::map<std::string, std::string, std::less<>>;  // row label -> path

    // A folder of system caches: the scan offers only what the user may delete there.
    struct SystemCacheFolder {
        std::string path;
        bool userOwned = false;  // the user's own caches folder
    };
    // A folder of startup entries.
    struct StartupFolder {
        std::string path;
        bool entriesAreLinks = false;  // each entry is a link that enables a unit
        bool computerWide = false;     // the administrator's: listed, never changed
    };
    // A folder outside the home whose contents the clean may change.
    struct SystemLocation {
        std::string path;
        bool mayBeEmptied = false;  // the folder itself may be emptied (a volume's Trash)
    };
    struct ChromiumBrowser {
        std::string browser;  // the browser's raw value, e.g. "chrome"
        std::string userData;
    };

    HostPlatform platform = HostPlatform::linuxDesktop;
    std::string home;
    std::string systemRoot;       // empty when there is none
    std::uint32_t userID = 0;     // whose entries of shared folders may be deleted

    // Developer tools.
    std::string xcodeDerivedData;
    std::string xcodeDeviceSupport;
    std::string xcodeSimulators;
    std::string xcodeArchives;
    Rows devToolCaches;  // by label, e.g. N_("npm Cache")
    std::string dockerDiskImage;

    // Caches, Trash and Downloads.
    Rows appCaches;  // by name, e.g. N_("Chrome Cache")
    std::vector<SystemCacheFolder> cacheFolders;
    std::vector<std::string> cacheSkipPrefixes;  // entries the app-cache rows already cover
    std::string logsFolder;
    std::vector<std::string> trashFolders;  // the user's first
    std::string downloadsFolder;

    // Device backups, large files, Mail.
    std::string deviceBackups;
    std::vector<std::string> largeFileRoots;
    Rows mailCaches;  // by name, e.g. N_("Mail Downloads")

    // Startup items and iCloud.
    std::vector<StartupFolder> startupFolders;  // the user's, then the computer's
    std::string icloudDocuments;

    // Privacy.
    std::vector<std::string> safariCookieStores;
    std::vector<ChromiumBrowser> chromiumBrowsers;
    std::string firefoxProfiles;
    // Every folder that may hold Firefox profiles, the one above first.
    std::vector<std::string> firefoxProfileFolders;
    bool firefoxProfilesListed = false;  // profiles.ini names the profiles; else every entry is one
    Rows recentsStores;                  // by title, e.g. N_("Finder Recents")
    Rows historyFiles;                   // by label, e.g. N_("Zsh History")

    // Uninstaller.
    std::vector<std::string> applicationFolders;
    std::string applicationSuffix;  // ".app" or ".desktop"
    std::string library;            // the leftovers' Library (macOS)
    std::string groupContainers;
    std::string configHome;
    std::string dataHome;
    std::string cacheHome;
    std::string stateHome;
    std::string autostartFolder;
    // Where package managers keep what they installed (Linux): dpkg's file
    // lists, and the folders Flatpak (the user's and the system's) and Snap
    // export desktop entries to; each is also an application folder.
    std::string dpkgInfo;
    std::vector<std::string> flatpakExports;
    std::string snapExports;

    // Deletion guard.
    std::vector<std::string> protectedFolders;  // never removed or emptied as a whole
    // The user's own folders (Desktop, Documents, Downloads, Music, Pictures,
    // Public, Templates, Videos, where "user-dirs.dirs" places them): what
    // lies inside them is the user's, whatever an application's entry says.
    std::vector<std::string> userFolders;
    std::vector<SystemLocation> systemLocations;

    // A Mac's home: "Library/Caches", ".Trash", "/Library/LaunchAgents", ...
    [[nodiscard]] static HostTable macos(const HostLayout& layout);
    // A Linux desktop's home: the XDG folders, the user folders named in
    // "user-dirs.dirs", "/var/cache" and "/var/tmp", autostart entries and
    // user units, and the Trash of each volume in `volumeTrashFolders`.
    [[nodiscard]] static HostTable linuxDesktop(const HostLayout& layout, const FileSystem& fileSystem,
                                                std::uint32_t userID,
                                                std::vector<std::string> volumeTrashFolders = {});
    [[nodiscard]] static HostTable forPlatform(HostPlatform platform, const HostLayout& layout,
                                               const FileSystem& fileSystem, std::uint32_t userID,
                                               std::vector<std::string> volumeTrashFolders = {});

    // The table of the user running this program over `layout`: the volumes'
    // Trash folders are this machine's user's, so they are placed only when
    // the system root is the machine's own ("/") and the home is the user's.
    [[nodiscard]] static HostTable ofUser(HostPlatform platform, const HostLayout& layout, const FileSystem& fileSystem);

    // The path of a row, or empty when this layout has none.
    [[nodiscard]] static std::string row(const Rows& rows, std::string_view label);
};

// "MOUNT/.Trash-UID" for every mounted file system of real storage listed in
// `mounts` (the text of /proc/self/mounts), the root file system excepted.
[[nodiscard]] std::vector<std::string> volumeTrashFolders(std::string_view mounts, std::uint32_t userID);

}  // namespace zentrel::platform
