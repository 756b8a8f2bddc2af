#include "platform/places/HostTable.hpp"

#include "platform/text/Localization.hpp"
#include "platform/text/Warnings.hpp"

#include <array>
#include <fstream>
#include <set>
#include <sstream>
#include <pwd.h>
#include <unistd.h>

namespace zentrel::platform {

namespace {

// Folders directly in the home folder that hold the user's own things or
// their settings.
constexpr std::array<std::string_view, 16> kMainHomeFolders = {
    "Applications", "Desktop", "Documents", "Downloads", "Library", "Movies",  "Music",  "Pictures",
    "Public",       "Videos",  "Templates", ".config",   ".local",  ".cache", ".ssh",   ".gnupg",
};

std::string joined(const std::string& folder, std::string_view relative) {
    if (folder.empty()) return {};
    return folder == "/" ? "/" + std::string(relative) : folder + "/" + std::string(relative);
}

std::vector<std::string> mainHomeFolders(const std::string& home) {
    std::vector<std::string> folders;
    for (auto name : kMainHomeFolders) folders.push_back(joined(home, name));
    return folders;
}

// The value of one "XDG_NAME_DIR" line of "user-dirs.dirs": "$HOME/x" or an
// absolute path in double quotes; none when absent, of another form, the home
// (which disables it) or not an acceptable user folder (with a warning).
std::optional<std::string> userDirectory(std::string_view file, std::string_view key, const std::string& home) {
    std::istringstream lines{std::string(file)};
    std::string line;
    const std::string prefix = "XDG_" + std::string(key) + "_DIR=\"";
    while (std::getline(lines, line)) {
        if (!line.starts_with(prefix) || !line.ends_with('"')) continue;
        auto value = line.substr(prefix.size(), line.size() - prefix.size() - 1);
        if (value.starts_with("$HOME")) value = home + value.substr(5);
        while (value.size() > 1 && value.back() == '/') value.pop_back();
        if (value == home) return std::nullopt;
        if (auto problem = xdgLocationProblem(value, home, true)) {
            warn("XDG_" + std::string(key) + "_DIR=\"" + value + "\" in user-dirs.dirs is ignored (" + *problem + ")");
            return std::nullopt;
        }
        return value;
    }
    return std::nullopt;
}

}  // namespace

std::optional<HostPlatform> hostPlatformNamed(std::string_view name) {
    if (name == "linux") return HostPlatform::linuxDesktop;
    if (name == "macos") return HostPlatform::macos;
    return std::nullopt;
}

std::string_view hostPlatformName(HostPlatform platform) {
    return platform == HostPlatform::macos ? "macos" : "linux";
}

std::string HostTable::row(const Rows& rows, std::string_view label) {
    auto found = rows.find(label);
    return found == rows.end() ? std::string() : found->second;
}

HostTable HostTable::macos(const HostLayout& layout) {
    HostTable t;
    t.platform = HostPlatform::macos;
    t.home = layout.home.string();
    t.systemRoot = layout.systemRoot.string();
    const auto& home = t.home;
    const auto library = home + "/Library";
    const auto support = library + "/Application Support";
    const auto caches = library + "/Caches";
    const auto system = [&](std::string_view relative) { return layout.systemPath(std::string(relative)).string(); };

    t.xcodeDerivedData = library + "/Developer/Xcode/DerivedData";
    t.xcodeDeviceSupport = library + "/Developer/Xcode/iOS DeviceSupport";
    t.xcodeSimulators = library + "/Developer/CoreSimulator/Devices";
    t.xcodeArchives = library + "/Developer/Xcode/Archives";
    t.devToolCaches = {
        {N_("npm Cache"), home + "/.npm/_cacache"},
        {N_("pnpm Store"), library + "/pnpm/store"},
        {N_("pip Cache"), home + "/.cache/pip"},
        {N_("Homebrew Vendor"), system("usr/local/Homebrew/Library/Homebrew/vendor")},
        {N_("Homebrew Cache"), caches + "/Homebrew"},
        {N_("Yarn Cache"), home + "/.yarn/cache"},
        {N_("Gradle Cache"), home + "/.gradle/caches"},
        {N_("Maven Repository"), home + "/.m2/repository"},
        {N_("Cargo Registry"), home + "/.cargo/registry"},
        {N_("Cargo Git"), home + "/.cargo/git"},
        {N_("CocoaPods Cache"), caches + "/CocoaPods"},
        {N_("Flutter pub-cache"), home + "/.pub-cache"},
        {N_("Dart Tool"), home + "/.dart_tool"},
        {N_("Android Build Tools"), library + "/Android/sdk/build-tools"},
        {N_("Android Sys Images"), library + "/Android/sdk/system-images"},
    };
    t.dockerDiskImage = library + "/Containers/com.docker.docker/Data/vms/0/data/Docker.raw";

    t.appCaches = {
        {N_("Cursor Logs"), support + "/Cursor/logs"},
        {N_("Cursor Cached Data"), support + "/Cursor/CachedData"},
        {N_("VS Code Logs"), support + "/Code/logs"},
        {N_("VS Code Cached Data"), support + "/Code/CachedData"},
        {N_("Chrome Cache"), caches + "/Google/Chrome"},
        {N_("Chrome Cache 2"), caches + "/com.google.Chrome"},
        {N_("Safari Cache"), caches + "/com.apple.Safari"},
        {N_("Brave Cache"), caches + "/com.brave.Browser"},
        {N_("VS Code Cache"), caches + "/com.microsoft.VSCode"},
        {N_("Slack Cache"), support + "/Slack/Cache"},
        {N_("Slack Logs"), support + "/Slack/logs"},
        {N_("Discord Cache"), support + "/discord/Cache"},
        {N_("Figma Logs"), support + "/Figma/logs"},
    };
    t.cacheFolders = {{caches, true}};
    t.cacheSkipPrefixes = {"Google", "com.google.Chrome", "com.apple.Safari", "com.brave.Browser",
                           "com.microsoft.VSCode"};
    t.logsFolder = library + "/Logs";
    t.trashFolders = {home + "/.Trash"};
    t.downloadsFolder = home + "/Downloads";

    t.deviceBackups = support + "/MobileSync/Backup";
    t.largeFileRoots = {home + "/Downloads", home + "/Desktop", home + "/Documents", home + "/Movies"};
    t.mailCaches = {
        {N_("Mail Downloads"), library + "/Containers/com.apple.mail/Data/Library/Mail Downloads"},
        {N_("Mail DataVaults"), library + "/Containers/com.apple.mail/Data/DataVaults"},
    };

    t.startupFolders = {{library + "/LaunchAgents", false}};
    if (auto agents = system("Library/LaunchAgents"); !agents.empty()) t.startupFolders.push_back({agents, false});
    t.icloudDocuments = library + "/Mobile Documents";

    t.safariCookieStores = {library + "/Containers/com.apple.Safari/Data/Library/Cookies/Cookies.binarycookies",
                            library + "/Cookies/Cookies.binarycookies"};
    t.chromiumBrowsers = {{"chrome", support + "/Google/Chrome"},
                          {"arc", support + "/Arc/User Data"},
                          {"edge", support + "/Microsoft Edge"}};
    t.firefoxProfiles = support + "/Firefox/Profiles";
    t.firefoxProfileFolders = {t.firefoxProfiles};
    t.recentsStores = {
        {N_("Finder Recents"), support + "/com.apple.sharedfilelist"},
        {N_("Spotlight History"), support + "/com.apple.spotlight"},
        {N_("Quick Look Cache"), caches + "/com.apple.QuickLook.thumbnailcache"},
    };
    t.historyFiles = {{N_("Zsh History"), home + "/.zsh_history"}, {N_("Bash History"), home + "/.bash_history"}};

    t.applicationSuffix = ".app";
    for (auto folder : {"Applications", "Applications/Utilities"}) {
        if (auto path = system(folder); !path.empty()) t.applicationFolders.push_back(path);
    }
    t.applicationFolders.push_back(home + "/Applications");
    t.library = library;
    t.groupContainers = library + "/Group Containers";

    t.protectedFolders = mainHomeFolders(home);
    for (auto name : {"Desktop", "Documents", "Downloads", "Movies", "Music", "Pictures", "Public"})
        t.userFolders.push_back(home + "/" + name);
    for (auto folder : {"Library", "usr/local"}) {
        if (auto path = system(folder); !path.empty()) t.systemLocations.push_back({path, false});
    }
    return t;
}

HostTable HostTable::linuxDesktop(const HostLayout& layout, const FileSystem& fileSystem, std::uint32_t userID,
                                  std::vector<std::string> volumeTrashFolders) {
    HostTable t;
    t.platform = HostPlatform::linuxDesktop;
    t.home = layout.home.string();
    t.systemRoot = layout.systemRoot.string();
    t.userID = userID;
    const auto& home = t.home;
    t.configHome = layout.configHome.string();
    t.dataHome = layout.dataHome.string();
    t.cacheHome = layout.cacheHome.string();
    t.stateHome = layout.stateHome.string();
    const auto& config = t.configHome;
    const auto& data = t.dataHome;
    const auto& cache = t.cacheHome;
    const auto system = [&](std::string_view relative) { return layout.systemPath(std::string(relative)).string(); };

    const auto userDirs = fileSystem.readFile(config + "/user-dirs.dirs", 64 * 1024).value_or(std::string());
    const auto userFolder = [&](std::string_view key, std::string_view fallback) {
        return userDirectory(userDirs, key, home).value_or(home + "/" + std::string(fallback));
    };
    const auto downloads = userFolder("DOWNLOAD", "Downloads");
    const auto desktop = userFolder("DESKTOP", "Desktop");
    const auto documents = userFolder("DOCUMENTS", "Documents");
    const auto videos = userFolder("VIDEOS", "Videos");

    t.devToolCaches = {
        {N_("npm Cache"), home + "/.npm/_cacache"},
        {N_("pnpm Store"), data + "/pnpm/store"},
        {N_("pip Cache"), cache + "/pip"},
        {N_("Homebrew Vendor"), system("home/linuxbrew/.linuxbrew/Homebrew/Library/Homebrew/vendor")},
        {N_("Homebrew Cache"), cache + "/Homebrew"},
        {N_("Yarn Cache"), cache + "/yarn"},
        {N_("Gradle Cache"), home + "/.gradle/caches"},
        {N_("Maven Repository"), home + "/.m2/repository"},
        {N_("Cargo Registry"), home + "/.cargo/registry"},
        {N_("Cargo Git"), home + "/.cargo/git"},
        {N_("Flutter pub-cache"), home + "/.pub-cache"},
        {N_("Dart Tool"), home + "/.dart_tool"},
        {N_("Android Build Tools"), home + "/Android/Sdk/build-tools"},
        {N_("Android Sys Images"), home + "/Android/Sdk/system-images"},
    };
    t.dockerDiskImage = home + "/.docker/desktop/vms/0/data/Docker.raw";

    t.appCaches = {
        {N_("Cursor Logs"), config + "/Cursor/logs"},
        {N_("Cursor Cached Data"), config + "/Cursor/CachedData"},
        {N_("VS Code Logs"), config + "/Code/logs"},
        {N_("VS Code Cached Data"), config + "/Code/CachedData"},
        {N_("Chrome Cache"), cache + "/google-chrome"},
        {N_("Brave Cache"), cache + "/BraveSoftware"},
        {N_("VS Code Cache"), config + "/Code/Cache"},
        {N_("Slack Cache"), config + "/Slack/Cache"},
        {N_("Slack Logs"), config + "/Slack/logs"},
        {N_("Discord Cache"), config + "/discord/Cache"},
    };
    t.cacheFolders = {{cache, true}};
    for (auto folder : {"var/cache", "var/tmp"}) {
        if (auto path = system(folder); !path.empty()) t.cacheFolders.push_back({path, false});
    }
    t.cacheSkipPrefixes = {"google-chrome", "BraveSoftware"};
    t.trashFolders = {data + "/Trash"};
    for (auto& folder : volumeTrashFolders) t.trashFolders.push_back(folder);
    t.downloadsFolder = downloads;

    t.largeFileRoots = {downloads, desktop, documents, videos};
    t.mailCaches = {
        {N_("Mail Downloads"), cache + "/evolution/mail"},
        {N_("Mail DataVaults"), cache + "/thunderbird"},
    };

    t.startupFolders = {{config + "/autostart", false},
                        {config + "/systemd/user/default.target.wants", true}};
    if (!t.systemRoot.empty()) {
        t.startupFolders.push_back({system("etc/xdg/autostart"), false, true});
        t.startupFolders.push_back({system("etc/systemd/user/default.target.wants"), true, true});
    }

    // Each browser's own place, then where its Flatpak and Snap packages keep it.
    const auto flatpak = home + "/.var/app/";
    t.chromiumBrowsers = {{"chrome", config + "/google-chrome"},
                          {"chromium", config + "/chromium"},
                          {"brave", config + "/BraveSoftware/Brave-Browser"},
                          {"edge", config + "/microsoft-edge"},
                          {"chrome", flatpak + "com.google.Chrome/config/google-chrome"},
                          {"chromium", flatpak + "org.chromium.Chromium/config/chromium"},
                          {"brave", flatpak + "com.brave.Browser/config/BraveSoftware/Brave-Browser"},
                          {"edge", flatpak + "com.microsoft.Edge/config/microsoft-edge"},
                          {"chromium", home + "/snap/chromium/common/chromium"}};
    t.firefoxProfiles = home + "/.mozilla/firefox";
    t.firefoxProfileFolders = {t.firefoxProfiles, config + "/mozilla/firefox",
                               flatpak + "org.mozilla.firefox/.mozilla/firefox",
                               home + "/snap/firefox/common/.mozilla/firefox"};
    t.firefoxProfilesListed = true;
    t.recentsStores = {
        {N_("Finder Recents"), data + "/recently-used.xbel"},
        {N_("Quick Look Cache"), cache + "/thumbnails"},
    };
    t.historyFiles = {{N_("Zsh History"), home + "/.zsh_history"},
                      {N_("Bash History"), home + "/.bash_history"},
                      {N_("Fish History"), data + "/fish/fish_history"}};

    t.applicationSuffix = ".desktop";
    t.applicationFolders.push_back(data + "/applications");
    for (auto folder : {"usr/local/share/applications", "usr/share/applications"}) {
        if (auto path = system(folder); !path.empty()) t.applicationFolders.push_back(path);
    }
    t.autostartFolder = config + "/autostart";
    t.dpkgInfo = system("var/lib/dpkg/info");
    t.flatpakExports.push_back(data + "/flatpak/exports/share/applications");
    if (auto path = system("var/lib/flatpak/exports/share/applications"); !path.empty()) t.flatpakExports.push_back(path);
    t.snapExports = system("var/lib/snapd/desktop/applications");
    for (const auto& folder : t.flatpakExports) t.applicationFolders.push_back(folder);
    if (!t.snapExports.empty()) t.applicationFolders.push_back(t.snapExports);

    t.userFolders = {downloads, desktop, documents, videos, userFolder("MUSIC", "Music"),
                     userFolder("PICTURES", "Pictures"), userFolder("PUBLICSHARE", "Public"),
                     userFolder("TEMPLATES", "Templates")};
    t.protectedFolders = mainHomeFolders(home);
    std::set<std::string> seen(t.protectedFolders.begin(), t.protectedFolders.end());
    for (const auto& folder : {config, data, cache, t.stateHome, home + "/.local/share", home + "/.local/state",
                               home + "/.local/bin"}) {
        if (seen.insert(folder).second) t.protectedFolders.push_back(folder);
    }
    for (const auto& folder : t.userFolders) {
        if (seen.insert(folder).second) t.protectedFolders.push_back(folder);
    }
    for (const auto& folder : t.cacheFolders) {
        if (!folder.userOwned) t.systemLocations.push_back({folder.path, false});
    }
    if (auto brew = system("home/linuxbrew/.linuxbrew"); !brew.empty()) t.systemLocations.push_back({brew, false});
    for (std::size_t i = 1; i < t.trashFolders.size(); ++i) t.systemLocations.push_back({t.trashFolders[i], true});
    return t;
}

HostTable HostTable::forPlatform(HostPlatform platform, const HostLayout& layout, const FileSystem& fileSystem,
                                 std::uint32_t userID, std::vector<std::string> volumeTrashFolders) {
    if (platform == HostPlatform::macos) return macos(layout);
    return linuxDesktop(layout, fileSystem, userID, std::move(volumeTrashFolders));
}

HostTable HostTable::ofUser(HostPlatform platform, const HostLayout& layout, const FileSystem& fileSystem) {
    const auto user = static_cast<std::uint32_t>(::getuid());
    std::vector<std::string> volumeTrash;
    const passwd* account = ::getpwuid(user);
    const bool ownHome = account != nullptr && account->pw_dir != nullptr && layout.home == account->pw_dir;
    if (layout.systemRoot == "/" && ownHome) {
        std::ifstream mounts("/proc/self/mounts");
        std::ostringstream text;
        text << mounts.rdbuf();
        volumeTrash = volumeTrashFolders(text.str(), user);
    }
    return forPlatform(platform, layout, fileSystem, user, std::move(volumeTrash));
}

std::vector<std::string> volumeTrashFolders(std::string_view mounts, std::uint32_t userID) {
    // File systems of real storage; pseudo and network ones hold no Trash of ours.
    static const std::set<std::string, std::less<>> kStorage = {"ext2", "ext3", "ext4", "btrfs", "xfs", "vfat",
                                                                "exfat", "ntfs", "ntfs3", "f2fs", "fuseblk"};
    std::vector<std::string> folders;
    std::istringstream lines{std::string(mounts)};
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string device, mountPoint, type;
        if (!(fields >> device >> mountPoint >> type)) continue;
        if (!kStorage.contains(type) || mountPoint == "/" || mountPoint.find('\\') != std::string::npos) continue;
        folders.push_back(mountPoint + "/.Trash-" + std::to_string(userID));
    }
    return folders;
}

}  // namespace zentrel::platform
