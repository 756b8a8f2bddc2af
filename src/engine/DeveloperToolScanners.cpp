#include "engine/DeveloperToolScanners.hpp"

#include "engine/NodePackageManager.hpp"
#include "engine/PropertyListFile.hpp"
#include "engine/SafetyClassifier.hpp"
#include "engine/ScanItem.hpp"
#include "engine/VersionOrder.hpp"
#include "platform/text/ByteCountFormatter.hpp"
#include "platform/text/Localization.hpp"
#include "platform/text/NumberFormatter.hpp"

#include <algorithm>
#include <map>
#include <set>
#include <sstream>

namespace zentrel::engine {

namespace {

using model::CategoryType;
using model::CleanItem;
using model::SafetyLevel;

// Each row's place comes from the host table, by its label.
struct DevToolRow {
    const char* label;
    const char* tool;
};

constexpr DevToolRow kDevToolRows[] = {
    {N_("npm Cache"), "npm"},         {N_("pnpm Store"), "pnpm"},          {N_("pip Cache"), "pip"},
    {N_("Homebrew Vendor"), "Homebrew"}, {N_("Homebrew Cache"), "Homebrew"}, {N_("Yarn Cache"), "Yarn"},
    {N_("Gradle Cache"), "Gradle"},   {N_("Maven Repository"), "Maven"},   {N_("Cargo Registry"), "Rust"},
    {N_("Cargo Git"), "Rust"},        {N_("CocoaPods Cache"), "CocoaPods"}, {N_("Flutter pub-cache"), "Flutter"},
    {N_("Dart Tool"), "Flutter"},     {N_("Android Build Tools"), "Android"}, {N_("Android Sys Images"), "Android"},
};

constexpr const char* kProjectRoots[] = {"Developer", "Projects", "Project", "Code",      "code", "repos",
                                         "repo",      "src",      "Sites",   "dev",       "work", "workspace",
                                         "git",       "GitHub",   "Documents", "Desktop"};
const std::set<std::string, std::less<>> kUnenteredFolders = {"node_modules", ".git", "Pods", ".build"};

constexpr const char* kSimulatorRuntimePrefix = "com.apple.CoreSimulator.SimRuntime.";

std::vector<std::string> listing(const CleanerEngine& engine, const std::string& folder) {
    return engine.fileSystem().contentsOfDirectory(folder).value_or(std::vector<std::string>{});
}

std::optional<platform::Date> modificationDate(const CleanerEngine& engine, const std::string& path) {
    auto attributes = engine.fileSystem().attributes(path);
    if (!attributes) return std::nullopt;
    return attributes->modificationDate;
}

CleanerEngine::Items sizedEntries(CleanerEngine& engine, const std::string& folder, const char* subcategory) {
    const bool archive = std::string_view(subcategory) == N_("Archives");
    CleanerEngine::Items items;
    if (folder.empty()) return items;
    for (const auto& name : listing(engine, folder)) {
        const auto path = folder + "/" + name;
        if (engine.isSymbolicLink(path)) continue;
        const auto size = engine.cachedSize(path);
        if (size <= 0) continue;
        auto item = newScanItem(name, path, CategoryType::xcode, subcategory, size);
        item.isSelected = item.isSafe = true;
        item.friendlyName = archive ? platform::localized("App archive") : platform::localized("Xcode build files");
        item.friendlyDescription =
            archive ? platform::localized("Old app exports used to submit to the App Store \u2014 review before deleting")
                    : platform::localized(
                          "Files Xcode created while building your app \u2014 safe to delete, Xcode will rebuild them");
        item.safetyLevel = archive ? SafetyLevel::review : SafetyLevel::safe;
        item.isRecommended = !archive;
        items.push_back(std::move(item));
    }
    return items;
}

std::string replacingAll(std::string text, std::string_view what) {
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what)) text.erase(at, what.size());
    return text;
}

CleanItem projectItem(const std::string& projectPath, std::int64_t size, NodePackageManager manager, bool stale,
                      const std::string& dateText) {
    const auto slash = projectPath.rfind('/');
    const auto project = slash == std::string::npos ? projectPath : projectPath.substr(slash + 1);
    const std::string managerLabel(label(manager));
    auto item = newScanItem(project + "/node_modules", projectPath + "/node_modules", CategoryType::devProjects,
                         manager == NodePackageManager::unknown ? "node_modules"
                                                                : platform::localizedFormat("%@ project", {managerLabel}),
                         size);
    item.friendlyName = platform::localizedFormat("%@ dependencies", {project});
    item.friendlyDescription = platform::localizedFormat(
        "Installed packages for the %@ project \u2014 these reinstall when you build again", {project});
    if (manager == NodePackageManager::pnpm) {
        item.safetyLevel = SafetyLevel::review;
        item.warningMessage = platform::localized(
            "Uses pnpm \u2014 these are hardlinks into your shared store, so little real space is freed. Reinstalls "
            "instantly from the store.");
        item.suggestedCommand = platform::localized("pnpm install  # re-links from the shared store");
        return item;
    }
    item.suggestedCommand = platform::localizedFormat("%@ install  # or migrate: corepack enable && pnpm import && pnpm install",
                                                      {manager == NodePackageManager::yarn ? "yarn" : "npm"});
    if (stale) {
        item.isSelected = item.isSafe = item.isRecommended = true;
        item.safetyLevel = SafetyLevel::safe;
        item.warningMessage = platform::localizedFormat(
            "Not touched since %@. Safe to remove \u2014 reinstalls with one command. Tip: pnpm would avoid re-copying "
            "these deps.",
            {dateText});
    } else {
        item.safetyLevel = SafetyLevel::review;
        item.warningMessage =
            platform::localized("Active project \u2014 remove only if you won't build soon. Reinstalls with one command.");
    }
    return item;
}

}  // namespace

CleanerEngine::Items scanXcode(CleanerEngine& engine, const platform::HostTable& table) {
    CleanerEngine::Items items;
    auto append = [&items](CleanerEngine::Items found) {
        items.insert(items.end(), std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()));
    };
    append(sizedEntries(engine, table.xcodeDerivedData, N_("DerivedData")));
    if (!table.xcodeDeviceSupport.empty()) append(scanDeviceSupport(engine, table.xcodeDeviceSupport));
    if (!table.xcodeSimulators.empty()) append(scanSimulators(engine, table.xcodeSimulators));
    append(sizedEntries(engine, table.xcodeArchives, N_("Archives")));
    return items;
}

CleanerEngine::Items scanDeviceSupport(CleanerEngine& engine, const std::string& folder) {
    std::map<std::string, std::vector<std::string>> groups;  // first word -> names
    for (const auto& name : listing(engine, folder)) {
        std::istringstream words(name);
        std::string first;
        if (words >> first) groups[first].push_back(name);
    }
    CleanerEngine::Items items;
    for (auto& [key, names] : groups) {
        // Newest first by version order, so "17.10" is newer than "17.9".
        std::sort(names.begin(), names.end(), [](const auto& a, const auto& b) { return versionOrderLess(b, a); });
        for (std::size_t i = 0; i < names.size(); ++i) {
            const auto path = folder + "/" + names[i];
            if (engine.isSymbolicLink(path)) continue;
            auto item = newScanItem(names[i], path, CategoryType::xcode, N_("Device Support Symbols"), engine.cachedSize(path));
            item.isSafe = true;
            if (i == 0) {
                item.warningMessage = platform::localized("Newest \u2014 keep for debugging on device");
                item.friendlyName = platform::localized("iPhone debug files (newest)");
                item.friendlyDescription = platform::localized("Debugging files for your iPhone \u2014 keeping the newest version");
                item.safetyLevel = SafetyLevel::review;
            } else {
                item.isSelected = item.isRecommended = true;
                item.friendlyName = platform::localized("Old iPhone debug files");
                item.friendlyDescription =
                    platform::localized("Older iPhone debugging files \u2014 the newest is kept, these can go");
                item.safetyLevel = SafetyLevel::safe;
            }
            items.push_back(std::move(item));
        }
    }
    return items;
}

CleanerEngine::Items scanSimulators(CleanerEngine& engine, const std::string& folder) {
    CleanerEngine::Items items;
    for (const auto& name : listing(engine, folder)) {
        const auto path = folder + "/" + name;
        if (engine.isSymbolicLink(path)) continue;
        std::string display = name;
        if (auto plist = readPropertyListStrings(engine.fileSystem(), path + "/device.plist", {"name", "runtime"})) {
            auto deviceName = plist->find("name");
            auto runtime = plist->find("runtime");
            if (deviceName != plist->end() && runtime != plist->end())
                display = deviceName->second + " (" + replacingAll(runtime->second, kSimulatorRuntimePrefix) + ")";
        }
        auto item = newScanItem(display, path, CategoryType::xcode, N_("Simulators"), engine.cachedSize(path));
        item.isSafe = true;
        item.warningMessage = platform::localized("Will be recreated by Xcode when needed");
        item.friendlyName = platform::localized("iPhone/iPad Simulator");
        item.friendlyDescription =
            platform::localized("A virtual iPhone/iPad used to test apps \u2014 Xcode will recreate it when needed");
        item.safetyLevel = SafetyLevel::safe;
        items.push_back(std::move(item));
    }
    return items;
}

CleanerEngine::Items scanDevTools(CleanerEngine& engine, const platform::HostTable& table, platform::Date now) {
    CleanerEngine::Items items;
    for (const auto& row : kDevToolRows) {
        const auto path = platform::HostTable::row(table.devToolCaches, row.label);
        if (path.empty()) continue;
        const auto size = engine.cachedSize(path);
        if (size <= 0) continue;
        const std::string tool = row.tool;
        const auto verdict = SafetyClassifier::classify(path, tool, modificationDate(engine, path), now);
        const bool recommended = verdict.disposition == SafetyClassifier::Disposition::recommend;
        auto item = newScanItem(row.label, path, CategoryType::devTools, tool, size);
        item.isSelected = item.isRecommended = recommended;
        item.isSafe = verdict.safetyLevel == SafetyLevel::safe;
        item.warningMessage = verdict.warning;
        item.deletionMethod = verdict.deletionMethod;
        item.suggestedCommand = verdict.suggestedCommand;
        item.friendlyName = platform::localizedFormat("%@ cache", {tool});
        item.friendlyDescription =
            recommended ? platform::localizedFormat("Temporary files %@ downloaded \u2014 will re-download if needed", {tool})
                        : platform::localizedFormat("%@ files that may still be in use \u2014 review before deleting", {tool});
        item.safetyLevel = verdict.safetyLevel;
        items.push_back(std::move(item));
    }
    const auto& docker = table.dockerDiskImage;
    if (auto attributes = docker.empty() ? std::nullopt : engine.fileSystem().attributes(docker);
        attributes && attributes->size >= 1) {
        auto item = newScanItem(N_("Docker Desktop VM"), docker, CategoryType::devTools, "Docker",
                                CleanerEngine::fileBytes(*attributes));
        item.warningMessage = platform::localized("Deleting this removes all Docker images \u2014 prune instead");
        item.suggestedCommand = "docker system prune -a --volumes";
        item.friendlyName = platform::localized("Docker virtual machine disk");
        item.friendlyDescription =
            platform::localized("Docker's virtual machine disk \u2014 use 'docker system prune' to reclaim space safely");
        item.safetyLevel = SafetyLevel::review;
        items.push_back(std::move(item));
    }
    return items;
}

CleanerEngine::Items scanDevProjects(CleanerEngine& engine, const std::string& home, platform::Date now,
                                     const DeveloperScanLimits& limits) {
    const auto& fileSystem = engine.fileSystem();
    std::size_t entries = 0;
    std::int64_t otherManagerBytes = 0;
    int otherManagerProjects = 0;
    std::set<std::string> seenProjects;  // by real path: "Code" and "code" may be one folder
    CleanerEngine::Items items;

    for (const char* rootName : kProjectRoots) {
        const auto root = home + "/" + rootName;
        auto rootAttributes = fileSystem.resolvedAttributes(root);
        if (!rootAttributes || !rootAttributes->isDirectory()) continue;
        auto walk = fileSystem.walk(root, {.skipHiddenEntries = true, .skipPackageContents = true});
        while (walk) {
            auto entry = walk->next();
            if (!entry) break;
            if (++entries > limits.maxEntries) break;
            if (entry->depth > limits.maxDepth) {
                walk->skipDescendants();
                continue;
            }
            if (!entry->attributes.isDirectory()) continue;
            if (kUnenteredFolders.contains(entry->name)) {
                walk->skipDescendants();
                continue;
            }
            if (!fileSystem.exists(entry->path + "/package.json")) continue;
            walk->skipDescendants();  // a project is never entered
            const auto modules = entry->path + "/node_modules";
            if (!fileSystem.exists(modules)) continue;
            const auto size = engine.cachedSize(modules);
            if (size < limits.minNodeModulesBytes) continue;
            if (!seenProjects.insert(fileSystem.realPath(entry->path).value_or(entry->path)).second) continue;

            const auto manager = packageManagerForProject(fileSystem, entry->path);
            const auto modified = modificationDate(engine, entry->path);
            const bool stale = modified && now.timeIntervalSince(*modified) > limits.staleSeconds;
            if (manager != NodePackageManager::pnpm) {
                otherManagerBytes += size;
                ++otherManagerProjects;
            }
            const auto dateText = stale ? engine.scanDateFormatter().format(*modified) : std::string();
            items.push_back(projectItem(entry->path, size, manager, stale, dateText));
        }
    }

    if (otherManagerProjects >= 2) {
        const auto saving = static_cast<std::int64_t>(static_cast<double>(otherManagerBytes) * 0.5);
        const auto count = platform::formatCount(otherManagerProjects);
        auto advice = newScanItem(platform::localizedFormat(N_COUNTED("Switch %lld projects to pnpm"), {count}), "",
                                  CategoryType::devProjects, N_("Advice"), saving);
        advice.warningMessage = platform::localizedFormat(
            "%lld npm/yarn projects each copy their own dependencies. pnpm shares one store across all of them \u2014 "
            "could save roughly %@.",
            {count, platform::formatByteCount(saving, platform::ByteCountStyle::file)});
        advice.suggestedCommand =
            platform::localized("corepack enable && pnpm import && pnpm install  # run inside each project");
        advice.friendlyName = platform::localized("Save space across your projects");
        advice.friendlyDescription = platform::localized(
            "Your npm/yarn projects copy the same dependencies over and over. Switching to pnpm reuses one shared copy.");
        advice.safetyLevel = SafetyLevel::review;
        items.push_back(std::move(advice));
    }
    std::stable_sort(items.begin(), items.end(), [](const auto& a, const auto& b) { return a.sizeBytes > b.sizeBytes; });
    return items;
}

void registerDeveloperToolScanners(CleanerEngine& engine, const platform::HostTable& table,
                                   const platform::Clock& clock) {
    engine.setScanner(ScannerID::xcode, [table](CleanerEngine& e) { return scanXcode(e, table); });
    engine.setScanner(ScannerID::devTools,
                      [table, &clock](CleanerEngine& e) { return scanDevTools(e, table, clock.now()); });
    engine.setScanner(ScannerID::devProjects,
                      [home = table.home, &clock](CleanerEngine& e) { return scanDevProjects(e, home, clock.now()); });
}

}  // namespace zentrel::engine
