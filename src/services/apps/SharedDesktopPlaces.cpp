#include "services/apps/SharedDesktopPlaces.hpp"

#include "platform/text/AsciiCase.hpp"

#include <algorithm>
#include <span>
#include <string_view>

namespace zentrel::services {

namespace {

// Entries the desktop, its session and its libraries keep in the XDG folders.
constexpr std::string_view kSharedConfigEntries[] = {
    "autostart",     "systemd",        "dconf",        "environment.d",  "user-dirs.dirs", "user-dirs.locale",
    "mimeapps.list", "menus",          "gtk-2.0",      "gtk-3.0",        "gtk-4.0",        "fontconfig",
    "pulse",         "pipewire",       "wireplumber",  "dbus-1",         "ibus",           "kdeglobals",
    "monitors.xml",  "gnome-session",  "goa-1.0",      "enchant",        "Trolltech.conf", "QtProject.conf",
    "xsettingsd",    "mozilla",        "kwinrc",       "plasma-org.kde.plasma.desktop-appletsrc",
    "session",       "xdg-desktop-portal"};
constexpr std::string_view kSharedDataEntries[] = {
    "applications",        "Trash",          "keyrings",      "flatpak",      "mime",         "icons",
    "fonts",               "themes",         "sounds",        "backgrounds",  "wallpapers",   "desktop-directories",
    "recently-used.xbel",  "user-places.xbel", "gvfs-metadata", "systemd",    "dbus-1",       "gnome-shell",
    "xorg",                "color-schemes",  "kservices5",    "kxmlgui5",     "plasma",       "tracker",
    "tracker3",            "gnome-settings-daemon", "ibus-table"};
constexpr std::string_view kSharedCacheEntries[] = {
    "thumbnails", "fontconfig", "mesa_shader_cache", "ibus",    "gstreamer-1.0", "flatpak",
    "tracker",    "tracker3",   "icon-cache.kcache", "dconf",   "gnome-software"};
constexpr std::string_view kSharedStateEntries[] = {"wireplumber", "pipewire", "lesshst"};

bool listed(std::span<const std::string_view> names, std::string_view name) {
    const auto lower = platform::asciiLowercased(name);
    return std::any_of(names.begin(), names.end(), [&](std::string_view shared) { return platform::asciiLowercased(shared) == lower; });
}

// Whether `path` is `known` or one of the folders on its way.
bool isOrHolds(const std::string& path, const std::string& known) {
    if (known.empty() || path.empty()) return false;
    return known == path || (known.size() > path.size() && known.starts_with(path) && known[path.size()] == '/');
}

// An entry directly in `folder` whose name is listed.
bool isStandardEntry(const std::string& path, const std::string& folder, std::span<const std::string_view> names) {
    if (folder.empty() || !path.starts_with(folder + "/")) return false;
    const auto rest = std::string_view(path).substr(folder.size() + 1);
    return !rest.empty() && rest.find('/') == std::string_view::npos && listed(names, rest);
}

}  // namespace

bool isOwnDataName(const std::string& name) { return platform::asciiLowercased(name).find("zentrel") != std::string::npos; }

bool isSharedDesktopPlace(const platform::HostTable& table, const std::string& path) {
    if (isStandardEntry(path, table.configHome, kSharedConfigEntries) ||
        isStandardEntry(path, table.dataHome, kSharedDataEntries) ||
        isStandardEntry(path, table.cacheHome, kSharedCacheEntries) ||
        isStandardEntry(path, table.stateHome, kSharedStateEntries))
        return true;
    const auto slash = path.rfind('/');
    if (isOwnDataName(slash == std::string::npos ? path : path.substr(slash + 1))) return true;

    std::vector<std::string> known{table.home,           table.configHome,      table.dataHome,
                                   table.cacheHome,      table.stateHome,       table.autostartFolder,
                                   table.firefoxProfiles, table.downloadsFolder, table.logsFolder};
    for (const auto* rows : {&table.appCaches, &table.devToolCaches, &table.mailCaches, &table.recentsStores,
                             &table.historyFiles}) {
        for (const auto& [label, place] : *rows) known.push_back(place);
    }
    for (const auto& browser : table.chromiumBrowsers) known.push_back(browser.userData);
    for (const auto& folder : table.startupFolders) known.push_back(folder.path);
    for (const auto& folder : table.cacheFolders) known.push_back(folder.path);
    known.insert(known.end(), table.trashFolders.begin(), table.trashFolders.end());
    known.insert(known.end(), table.applicationFolders.begin(), table.applicationFolders.end());
    known.insert(known.end(), table.protectedFolders.begin(), table.protectedFolders.end());
    return std::any_of(known.begin(), known.end(), [&](const std::string& place) { return isOrHolds(path, place); });
}

}  // namespace zentrel::services
