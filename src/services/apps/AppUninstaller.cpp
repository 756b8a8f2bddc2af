#include "services/apps/AppUninstaller.hpp"

#include "engine/DeletionGuard.hpp"
#include "engine/PropertyListFile.hpp"
#include "platform/text/AsciiCase.hpp"
#include "platform/text/Localization.hpp"
#include "platform/text/LocalizedText.hpp"
#include "services/apps/DesktopEntry.hpp"
#include "services/apps/KnownAppFolders.hpp"
#include "services/apps/PackageOwnership.hpp"
#include "services/apps/SharedDesktopPlaces.hpp"
#include "services/apps/UserProgram.hpp"

#include <algorithm>
#include <set>

namespace zentrel::services {

namespace {

using model::UninstallItemKind;

std::string withoutExtension(const std::string& name) {
    auto dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

bool endsWith(const std::string& text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::string parentOf(const std::string& path) {
    auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool hasParentReference(const std::string& path) {
    return path.find("/../") != std::string::npos || endsWith(path, "/..") || path.find("/./") != std::string::npos;
}

model::InstalledApp readApplication(const platform::FileSystem& fileSystem, const std::string& path,
                                    const std::string& entryName) {
    model::InstalledApp app{.name = withoutExtension(entryName), .bundleID = "", .path = path, .version = ""};
    auto info = engine::readPropertyListStrings(
        fileSystem, path + "/Contents/Info.plist",
        {"CFBundleIdentifier", "CFBundleName", "CFBundleShortVersionString", "CFBundleVersion"});
    if (!info) return app;
    auto text = [&](const char* key) -> const std::string* {
        auto found = info->find(key);
        return found == info->end() ? nullptr : &found->second;
    };
    if (const auto* id = text("CFBundleIdentifier")) app.bundleID = *id;
    if (const auto* name = text("CFBundleName")) app.name = *name;
    if (const auto* version = text("CFBundleShortVersionString")) {
        app.version = *version;
    } else if (const auto* build = text("CFBundleVersion")) {
        app.version = *build;
    }
    return app;
}

std::string trimmedName(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n\v\f");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n\v\f") - first + 1);
}


}  // namespace

std::vector<std::string> leftoverNames(const std::string& desktopID, const std::string& executable,
                                       const std::string& displayName) {
    std::vector<std::string> names;
    auto add = [&](std::string name) {
        if (isSafePathComponent(name) && std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(std::move(name));
    };
    const auto id = trimmedName(desktopID);
    const auto program = trimmedName(executable);
    add(id);
    add(program);
    const auto name = trimmedName(displayName);
    if (!name.empty() &&
        (platform::equalsIgnoringAsciiCase(name, id) || platform::equalsIgnoringAsciiCase(name, program))) {
        add(name);
    }
    return names;
}

bool isSafePathComponent(const std::string& text) {
    return !text.empty() && text != "." && text.find('/') == std::string::npos &&
           text.find("..") == std::string::npos && text.find('\0') == std::string::npos;
}

bool groupContainerMatches(const std::string& name, const std::string& bundleID) {
    const auto dot = bundleID.find('.');
    if (dot == std::string::npos || dot == 0 || bundleID.back() == '.' || bundleID.find("..") != std::string::npos)
        return false;
    for (auto at = name.find(bundleID); at != std::string::npos; at = name.find(bundleID, at + 1)) {
        const auto end = at + bundleID.size();
        const bool startsAtBoundary = at == 0 || name[at - 1] == '.';
        const bool endsAtBoundary = end == name.size() || name[end] == '.';
        if (startsAtBoundary && endsAtBoundary) return true;
    }
    return false;
}

AppUninstaller::AppUninstaller(platform::FileSystem& fileSystem, const platform::HostLayout& layout)
    : AppUninstaller(fileSystem, platform::HostTable::macos(layout)) {}

AppUninstaller::AppUninstaller(platform::FileSystem& fileSystem, platform::HostTable table)
    : fileSystem_(fileSystem), table_(std::move(table)), searchRoots_(table_.applicationFolders) {}

void AppUninstaller::forEachDesktopEntry(
    const std::function<void(const std::string&, const DesktopEntry&, std::optional<model::PackageOwner>)>& visit,
    bool runnable) const {
    std::set<std::string> seenIDs;  // the user's entries hide the system's of the same id
    const auto language = platform::Localization::shared().language();  // names as the window's language has them
    const PackageOwnership packages(fileSystem_, table_);
    for (const auto& root : searchRoots_) {
        for (const auto& entry : fileSystem_.contentsOfDirectory(root).value_or(std::vector<std::string>{})) {
            if (!endsWith(entry, ".desktop") || entry.size() == 8) continue;
            auto id = entry.substr(0, entry.size() - 8);
            if (!seenIDs.insert(id).second) continue;
            const auto path = root + "/" + entry;
            const auto text = fileSystem_.readFile(path, 1 << 20);
            if (!text) continue;
            const auto desktop =
                runnable ? DesktopEntry::parseRunnable(*text, id, language) : DesktopEntry::parse(*text, id, language);
            if (desktop) visit(path, *desktop, packages.ownerOf(path, id));
        }
    }
}

std::vector<model::InstalledApp> AppUninstaller::listDesktopEntries() const {
    std::vector<model::InstalledApp> apps;
    forEachDesktopEntry([&](const std::string& path, const DesktopEntry& desktop, std::optional<model::PackageOwner> package) {
        apps.push_back({.name = desktop.name, .bundleID = desktop.id, .path = path, .version = "",
                        .package = std::move(package)});
    });
    return apps;
}

std::vector<AppUninstaller::UserProgram> AppUninstaller::userPrograms() const {
    std::vector<UserProgram> programs;
    if (table_.applicationSuffix != ".desktop") return programs;
    struct Found {
        std::string entryPath, program;
        std::vector<std::string> names;  // the application's
    };
    std::vector<Found> found;
    std::vector<ProgramUser> users;  // every entry's, shown or not
    forEachDesktopEntry(
        [&](const std::string& path, const DesktopEntry& desktop, std::optional<model::PackageOwner> package) {
            users.push_back(programUserOf(path, desktop, table_, fileSystem_));
            const auto program = userProgramOf(desktop, fileSystem_, table_);
            if (program && !package)
                found.push_back({path, *program, leftoverNames(desktop.id, desktop.executable, desktop.untranslatedName)});
        },
        true);
    for (const auto& own : found) {
        std::vector<ProgramUser> others;
        std::copy_if(users.begin(), users.end(), std::back_inserter(others),
                     [&own](const ProgramUser& user) { return user.entryPath != own.entryPath; });
        programs.push_back({own.entryPath, offerUserProgram(own.program, own.names, others, table_, fileSystem_)});
    }
    return programs;
}

std::vector<model::InstalledApp> AppUninstaller::listInstalledApps() const {
    if (table_.applicationSuffix == ".desktop") {
        auto apps = listDesktopEntries();
        std::stable_sort(apps.begin(), apps.end(), [](const auto& a, const auto& b) {
            return platform::localizedCaseInsensitiveCompare(a.name, b.name) < 0;
        });
        return apps;
    }
    std::vector<model::InstalledApp> apps;
    std::set<std::string> seen;
    for (const auto& root : searchRoots_) {
        auto entries = fileSystem_.contentsOfDirectory(root);
        if (!entries) continue;
        for (const auto& entry : *entries) {
            if (!endsWith(entry, ".app")) continue;
            auto path = root + "/" + entry;
            if (!seen.insert(path).second) continue;
            apps.push_back(readApplication(fileSystem_, path, entry));
        }
    }
    std::stable_sort(apps.begin(), apps.end(), [](const auto& a, const auto& b) {
        return platform::localizedCaseInsensitiveCompare(a.name, b.name) < 0;
    });
    return apps;
}

std::vector<LeftoverCandidate> AppUninstaller::leftoverCandidates(const std::string& bundleID,
                                                                  const std::string& appName,
                                                                  const std::string& home) {
    const std::string base = home + "/Library";
    std::vector<LeftoverCandidate> candidates;
    if (isSafePathComponent(bundleID)) {
        const auto& b = bundleID;
        candidates = {
            {UninstallItemKind::appSupport, base + "/Application Support/" + b},
            {UninstallItemKind::caches, base + "/Caches/" + b},
            {UninstallItemKind::containers, base + "/Containers/" + b},
            {UninstallItemKind::savedState, base + "/Saved Application State/" + b + ".savedState"},
            {UninstallItemKind::logs, base + "/Logs/" + b},
            {UninstallItemKind::appScripts, base + "/Application Scripts/" + b},
            {UninstallItemKind::webData, base + "/WebKit/" + b},
            {UninstallItemKind::webData, base + "/HTTPStorages/" + b},
            {UninstallItemKind::preferences, base + "/Preferences/" + b + ".plist"},
            {UninstallItemKind::cookies, base + "/Cookies/" + b + ".binarycookies"},
            {UninstallItemKind::cookies, base + "/HTTPStorages/" + b + ".binarycookies"},
            {UninstallItemKind::launchAgents, base + "/LaunchAgents/" + b + ".plist"},
        };
    }
    if (isSafePathComponent(appName) && appName != bundleID) {
        candidates.push_back({UninstallItemKind::appSupport, base + "/Application Support/" + appName});
        candidates.push_back({UninstallItemKind::caches, base + "/Caches/" + appName});
        candidates.push_back({UninstallItemKind::logs, base + "/Logs/" + appName});
    }
    return candidates;
}

std::vector<LeftoverCandidate> AppUninstaller::candidatesFor(const std::string& bundleID, const std::string& appName,
                                                             const std::string& executable) const {
    if (table_.platform == platform::HostPlatform::macos) return leftoverCandidates(bundleID, appName, table_.home);
    // The XDG folders hold an application's files under its desktop id or its executable's name.
    const std::pair<UninstallItemKind, const std::string*> folders[] = {
        {UninstallItemKind::preferences, &table_.configHome},
        {UninstallItemKind::appSupport, &table_.dataHome},
        {UninstallItemKind::caches, &table_.cacheHome},
        {UninstallItemKind::savedState, &table_.stateHome},
    };
    std::vector<LeftoverCandidate> candidates;
    auto add = [&](UninstallItemKind kind, const std::string& path) {
        if (!isSharedDesktopPlace(table_, path)) candidates.push_back({kind, path});
    };
    const auto id = trimmedName(bundleID);
    for (const auto& name : leftoverNames(bundleID, executable, appName)) {
        for (const auto& [kind, folder] : folders) {
            if (!folder->empty()) add(kind, *folder + "/" + name);
        }
        if (name == id && !table_.autostartFolder.empty())
            add(UninstallItemKind::launchAgents, table_.autostartFolder + "/" + id + ".desktop");
    }
    return candidates;
}

std::vector<model::UninstallItem> AppUninstaller::findLeftovers(const model::InstalledApp& app) const {
    return surveyLeftovers(app).items;
}

AppLeftovers AppUninstaller::surveyLeftovers(const model::InstalledApp& app) const {
    AppLeftovers leftovers;
    std::vector<std::pair<UninstallItemKind, std::string>> found;
    std::set<std::string> taken;
    auto add = [&](UninstallItemKind kind, const std::string& path) {
        if (!fileSystem_.exists(path) || !taken.insert(path).second) return;
        found.emplace_back(kind, path);
    };

    std::string executable;
    std::string name = app.name;  // the application's files are named after its untranslated name
    if (table_.platform != platform::HostPlatform::macos) {
        const auto text = fileSystem_.readFile(app.path, 1 << 20);
        if (const auto entry = text ? DesktopEntry::parse(*text, app.bundleID) : std::nullopt) {
            executable = entry->executable;
            name = entry->untranslatedName;
        }
    }
    // The program the user installed into the home is the application itself.
    if (!app.package) {
        for (const auto& program : userPrograms()) {
            if (program.entryPath != app.path) continue;
            if (program.offer.item) add(UninstallItemKind::application, *program.offer.item);
            leftovers.keptBack = program.offer.keptBack;
        }
    }
    // A package's files are its package manager's to remove.
    if (!app.package && isApplicationBundlePath(app.path)) add(UninstallItemKind::application, app.path);
    for (const auto& candidate : candidatesFor(app.bundleID, name, executable)) add(candidate.kind, candidate.path);
    if (table_.platform != platform::HostPlatform::macos) {
        // Known by its desktop id or package, never by the program it runs: a
        // web-app shortcut runs the browser, and owns none of its data.
        if (app.package && app.package->manager == model::PackageOwner::Manager::dpkg) {
            for (const auto& [kind, path] : knownAppFolders(table_, {app.bundleID, app.package->package}))
                add(kind, path);
        }
        for (const auto& path : ownAutostartEntries(app, name, executable)) add(UninstallItemKind::launchAgents, path);
        if (app.package && isSafePathComponent(app.package->package)) {
            // The user's data of a Flatpak or a snap.
            using Manager = model::PackageOwner::Manager;
            if (app.package->manager == Manager::flatpak)
                add(UninstallItemKind::appSupport, table_.home + "/.var/app/" + app.package->package);
            if (app.package->manager == Manager::snap)
                add(UninstallItemKind::appSupport, table_.home + "/snap/" + app.package->package);
        }
    }
    if (isSafePathComponent(app.bundleID) && !table_.groupContainers.empty()) {
        const auto& folder = table_.groupContainers;
        for (const auto& entry : fileSystem_.contentsOfDirectory(folder).value_or(std::vector<std::string>{})) {
            if (groupContainerMatches(entry, app.bundleID)) add(UninstallItemKind::groupContainers, folder + "/" + entry);
        }
    }

    auto& items = leftovers.items;
    items.reserve(found.size());
    for (auto& [kind, path] : found) {
        const auto size = measureSize(path);
        items.push_back(model::UninstallItem{.id = platform::Uuid::random(),
                                             .kind = kind,
                                             .path = std::move(path),
                                             .sizeBytes = size,
                                             .isSelected = true});
    }
    return leftovers;
}

std::vector<std::string> AppUninstaller::ownAutostartEntries(const model::InstalledApp& app, const std::string& name,
                                                             const std::string& executable) const {
    std::vector<std::string> entries;
    const auto& folder = table_.autostartFolder;
    if (folder.empty()) return entries;
    const auto names = leftoverNames(app.bundleID, executable, name);
    for (const auto& entry : fileSystem_.contentsOfDirectory(folder).value_or(std::vector<std::string>{})) {
        if (!endsWith(entry, ".desktop") || !isSafePathComponent(entry)) continue;
        const auto stem = entry.substr(0, entry.size() - 8);
        // "inkpad.desktop" or "inkpad-helper.desktop" for Inkpad...
        bool mine = std::any_of(names.begin(), names.end(), [&](const std::string& name) {
            return platform::equalsIgnoringAsciiCase(stem, name) ||
                   (stem.size() > name.size() + 1 && stem[name.size()] == '-' &&
                    platform::equalsIgnoringAsciiCase(std::string_view(stem).substr(0, name.size()), name));
        });
        // ...or one that starts the application's own program.
        if (!mine && !executable.empty()) {
            const auto text = fileSystem_.readFile(folder + "/" + entry, 1 << 20);
            const auto parsed = text ? DesktopEntry::parse(*text, stem) : std::nullopt;
            mine = parsed && parsed->executable == executable;
        }
        if (mine && !isSharedDesktopPlace(table_, folder + "/" + entry)) entries.push_back(folder + "/" + entry);
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

UninstallResult AppUninstaller::uninstallItems(const std::vector<model::UninstallItem>& items) {
    UninstallResult result;
    // A Mac's application folders hold what the user installed; a Linux
    // desktop's shared entries belong to the package manager.
    const bool mac = table_.platform == platform::HostPlatform::macos;
    const engine::DeletionGuard guard(fileSystem_, table_, mac ? searchRoots_ : std::vector<std::string>{});
    // The programs the user installed into the home, as findLeftovers offers them.
    std::set<std::string> programs;
    for (const auto& program : userPrograms()) {
        if (program.offer.item) programs.insert(*program.offer.item);
    }
    for (const auto& item : items) {
        if (!item.isSelected) continue;
        const bool offered = programs.contains(item.path) || mayRemove(item.path);
        if (!offered || guard.refusal(item.path, engine::DeletionGuard::Use::removeEntry) ||
            fileSystem_.removeItem(item.path)) {
            result.failures.push_back(item.path);
        } else {
            result.freedBytes += item.sizeBytes;
        }
    }
    return result;
}

std::int64_t AppUninstaller::measureSize(const std::string& path) const {
    auto attributes = fileSystem_.attributes(path);
    if (!attributes) return 0;
    if (!attributes->isDirectory()) return attributes->size;
    auto walk = fileSystem_.walk(path, {.skipHiddenEntries = true});
    std::int64_t total = 0;
    while (walk) {
        auto entry = walk->next();
        if (!entry) break;
        if (entry->attributes.isRegularFile()) total += entry->attributes.allocatedSize;
    }
    return total;
}

bool AppUninstaller::isApplicationBundlePath(const std::string& path) const {
    if (!endsWith(path, table_.applicationSuffix) || hasParentReference(path)) return false;
    const auto parent = parentOf(path);
    return std::find(searchRoots_.begin(), searchRoots_.end(), parent) != searchRoots_.end();
}

bool AppUninstaller::mayRemove(const std::string& path) const {
    if (isApplicationBundlePath(path)) return true;
    if (hasParentReference(path)) return false;
    if (table_.platform != platform::HostPlatform::macos) {
        // One entry of one of the folders that hold leftovers.
        const auto slash = path.rfind('/');
        if (slash == std::string::npos || !isSafePathComponent(path.substr(slash + 1))) return false;
        const auto parent = path.substr(0, slash);
        // A well-known application's own folder, offered with that application only.
        if (isKnownAppFolder(table_, path)) return true;
        if (isSharedDesktopPlace(table_, path)) return false;
        // The user's data of a Flatpak or a snap.
        if (parent == table_.home + "/.var/app" || parent == table_.home + "/snap") return true;
        return !parent.empty() && (parent == table_.configHome || parent == table_.dataHome ||
                                   parent == table_.cacheHome || parent == table_.stateHome ||
                                   parent == table_.autostartFolder);
    }
    const auto library = table_.library + "/";
    if (path.rfind(library, 0) != 0 || hasParentReference(path)) return false;
    // One entry of one Library folder, never a Library folder itself.
    const auto rest = path.substr(library.size());
    const auto slash = rest.find('/');
    return slash != std::string::npos && slash > 0 && isSafePathComponent(rest.substr(slash + 1));
}

}  // namespace zentrel::services
