#include "engine/BackupLargeFileAndMailScanners.hpp"

#include "engine/PropertyListFile.hpp"
#include "engine/ScanItem.hpp"
#include "platform/text/Localization.hpp"

#include <algorithm>
#include <set>

namespace zentrel::engine {

namespace {

using model::CategoryType;
using model::CleanItem;
using model::SafetyLevel;

constexpr std::int64_t kLargeFileThreshold = 500'000'000;  // a file must be larger
constexpr std::size_t kLargeFileLimit = 50;

const std::set<std::string, std::less<>> kLargeFileSkippedFolders = {
    "node_modules", ".git",   ".build", "DerivedData", ".gradle", "vendor",       ".cache",
    ".npm",         "Library", "Pods",  "build",       "dist",    "Applications", "Pictures"};

// Their places come from the host table, by name.
constexpr const char* kMailCaches[] = {N_("Mail Downloads"), N_("Mail DataVaults")};

CleanItem largeFileItem(const std::string& name, const std::string& path, std::int64_t size) {
    auto item = newScanItem(name, path, CategoryType::largeFiles, N_("Large Files"), size);
    item.friendlyName = name;
    item.friendlyDescription = platform::localized("Large file taking up significant space on your Mac");
    item.safetyLevel = SafetyLevel::review;
    return item;
}

}  // namespace

CleanerEngine::Items scanIOSBackups(CleanerEngine& engine, const platform::HostTable& table) {
    const auto& folder = table.deviceBackups;
    CleanerEngine::Items items;
    if (folder.empty()) return items;
    for (const auto& name : engine.fileSystem().contentsOfDirectory(folder).value_or(std::vector<std::string>{})) {
        const auto path = folder + "/" + name;
        const auto attributes = engine.fileSystem().attributes(path);  // a link is no backup folder
        if (!attributes || !attributes->isDirectory()) continue;
        std::string device = name;
        if (auto info = readPropertyListStrings(engine.fileSystem(), path + "/Info.plist", {"Device Name"})) {
            if (auto found = info->find("Device Name"); found != info->end()) device = found->second;
        }
        auto item = newScanItem(device, path, CategoryType::iosBackups, N_("iPhone/iPad Backups"), engine.cachedSize(path));
        item.warningMessage = platform::localized("Deleting this backup cannot be undone");
        item.friendlyName = platform::localizedFormat("%@ backup", {device});
        item.friendlyDescription = platform::localizedFormat("A backup of your %@ stored on this Mac", {device});
        item.safetyLevel = SafetyLevel::review;
        items.push_back(std::move(item));
    }
    return items;
}

CleanerEngine::Items scanLargeFiles(CleanerEngine& engine, const platform::HostTable& table) {
    const auto& fileSystem = engine.fileSystem();
    const auto& home = table.home;
    CleanerEngine::Items items;
    // Directly in the home folder, hidden files included.
    for (const auto& name : fileSystem.contentsOfDirectory(home).value_or(std::vector<std::string>{})) {
        const auto path = home + "/" + name;
        const auto attributes = fileSystem.attributes(path);
        if (!attributes || !attributes->isRegularFile() || attributes->size <= kLargeFileThreshold) continue;
        items.push_back(largeFileItem(name, path, CleanerEngine::fileBytes(*attributes)));
    }
    for (const auto& root : table.largeFileRoots) {
        auto walk = fileSystem.walk(root, {.skipHiddenEntries = true, .skipPackageContents = true});
        while (walk) {
            auto entry = walk->next();
            if (!entry) break;
            if (entry->attributes.isDirectory()) {
                if (kLargeFileSkippedFolders.contains(entry->name)) walk->skipDescendants();
                continue;
            }
            if (entry->attributes.isRegularFile() && entry->attributes.size > kLargeFileThreshold)
                items.push_back(largeFileItem(entry->name, entry->path, CleanerEngine::fileBytes(entry->attributes)));
        }
    }
    std::stable_sort(items.begin(), items.end(), [](const auto& a, const auto& b) { return a.sizeBytes > b.sizeBytes; });
    if (items.size() > kLargeFileLimit) items.resize(kLargeFileLimit);
    return items;
}

CleanerEngine::Items scanMail(CleanerEngine& engine, const platform::HostTable& table) {
    CleanerEngine::Items items;
    for (const char* name : kMailCaches) {
        const auto path = platform::HostTable::row(table.mailCaches, name);
        if (path.empty()) continue;
        const auto size = engine.cachedSize(path);
        if (size <= 0) continue;
        auto item = newScanItem(name, path, CategoryType::appCaches, N_("Mail"), size);
        item.isSelected = item.isSafe = item.isRecommended = true;
        item.warningMessage = platform::localized("Attachments will still be accessible from Mail");
        item.friendlyName = platform::localized("Mail attachment cache");
        item.friendlyDescription =
            platform::localized("Downloaded email attachments cached by Mail \u2014 still accessible from Mail app");
        item.safetyLevel = SafetyLevel::safe;
        items.push_back(std::move(item));
    }
    // Both caches found: "Mail Downloads" and "Mail DataVaults", not two "Mail attachment cache" rows.
    nameApartByFolder(items);
    return items;
}

void registerBackupLargeFileAndMailScanners(CleanerEngine& engine, const platform::HostTable& table) {
    engine.setScanner(ScannerID::iosBackups, [table](CleanerEngine& e) { return scanIOSBackups(e, table); });
    engine.setScanner(ScannerID::largeFiles, [table](CleanerEngine& e) { return scanLargeFiles(e, table); });
    engine.setScanner(ScannerID::mail, [table](CleanerEngine& e) { return scanMail(e, table); });
}

}  // namespace zentrel::engine
