#include "engine/StartupAndICloudScanners.hpp"

#include "engine/PropertyListFile.hpp"
#include "engine/SafetyClassifier.hpp"
#include "engine/ScanItem.hpp"
#include "platform/text/Localization.hpp"

#include <algorithm>

namespace zentrel::engine {

namespace {

using model::CategoryType;
using model::CleanItem;

constexpr std::int64_t kICloudMinimumBytes = 10'000'000;
constexpr double kICloudAgeSeconds = 15'552'000;

// Startup and iCloud items are shown under their own name and always need a look.
CleanItem makeItem(std::string name, std::string path, CategoryType category, std::string subcategory,
                   std::int64_t size) {
    auto item = newScanItem(name, std::move(path), category, std::move(subcategory), size);
    item.friendlyName = std::move(name);
    item.safetyLevel = model::SafetyLevel::review;
    return item;
}

// The "Name" of a desktop entry's "[Desktop Entry]" group, if it has one.
std::optional<std::string> desktopEntryName(const std::string& text) {
    bool inEntry = false;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = std::min(text.find('\n', start), text.size());
        const std::string_view line(text.data() + start, end - start);
        start = end + 1;
        if (line.starts_with('[')) {
            inEntry = line == "[Desktop Entry]";
        } else if (inEntry && line.starts_with("Name=") && line.size() > 5) {
            return std::string(line.substr(5));
        }
    }
    return std::nullopt;
}

}  // namespace

CleanerEngine::Items scanStartupItems(CleanerEngine& engine, const platform::HostTable& table) {
    const auto& fileSystem = engine.fileSystem();
    CleanerEngine::Items items;
    for (const auto& [folder, entriesAreLinks, computerWide] : table.startupFolders) {
        if (folder.empty()) continue;
        for (const auto& name : fileSystem.contentsOfDirectory(folder).value_or(std::vector<std::string>{})) {
            const auto path = folder + "/" + name;
            // A unit is enabled by a link, which goes as a link; elsewhere a
            // link could lead anywhere.
            if (engine.isSymbolicLink(path) != entriesAreLinks) continue;
            std::string label = name;
            if (entriesAreLinks) {
                // The link's name is the unit's.
            } else if (name.ends_with(".desktop")) {
                if (auto entryName = desktopEntryName(fileSystem.readFile(path, 256 * 1024).value_or(""))) {
                    label = *entryName;
                }
            } else if (auto plist = readPropertyListStrings(fileSystem, path, {"Label"})) {
                if (auto found = plist->find("Label"); found != plist->end()) label = found->second;
            }
            const auto attributes = fileSystem.attributes(path);
            if (!attributes) continue;
            auto item = makeItem(label, path, CategoryType::startup, N_("Launch Agents"),
                                 CleanerEngine::fileBytes(*attributes));
            item.warningMessage = platform::localized("Disabling may affect app functionality");
            item.friendlyDescription = platform::localized("A service that launches automatically when your Mac starts");
            if (computerWide) {
                item.isReadOnly = true;
                item.warningMessage =
                    platform::localized("Started for every user of this computer: only an administrator can remove it");
            }
            items.push_back(std::move(item));
        }
    }
    return items;
}

CleanerEngine::Items scanICloud(CleanerEngine& engine, const platform::HostTable& table,
                                const platform::ICloudFileStatus& status, platform::Date now,
                                const ICloudScanLimits& limits) {
    const auto& root = table.icloudDocuments;
    const auto cutoff = now.addingTimeInterval(-kICloudAgeSeconds);
    CleanerEngine::Items items;
    if (root.empty()) return items;
    auto walk = engine.fileSystem().walk(root, {.skipHiddenEntries = true, .skipPackageContents = true});
    std::size_t entries = 0;
    while (walk) {
        auto entry = walk->next();
        if (!entry || ++entries > limits.maxEntries) break;
        const auto& attributes = entry->attributes;
        if (!attributes.isRegularFile() || attributes.size < kICloudMinimumBytes) continue;
        if (!(attributes.modificationDate < cutoff)) continue;
        const bool downloaded = status.isDownloaded(entry->path).value_or(false);
        if (SafetyClassifier::shouldSkipICloudItem(entry->path, downloaded)) continue;
        auto item = makeItem(entry->name, entry->path, CategoryType::icloud, N_("iCloud Downloads"),
                                 CleanerEngine::fileBytes(attributes));
        item.warningMessage = platform::localized(
            "Frees the local copy only \u2014 the file stays safe in iCloud and re-downloads when you open it.");
        item.deletionMethod = model::DeletionMethod::evictICloud();
        item.friendlyDescription = platform::localized(
            "Local copy of an iCloud file not opened in 6+ months \u2014 freeing it keeps the file safe in iCloud");
        items.push_back(std::move(item));
    }
    std::stable_sort(items.begin(), items.end(), [](const auto& a, const auto& b) { return a.sizeBytes > b.sizeBytes; });
    if (items.size() > limits.maxItems) items.resize(limits.maxItems);
    return items;
}

void registerStartupAndICloudScanners(CleanerEngine& engine, const platform::HostTable& table,
                                      const platform::ICloudFileStatus& status, const platform::Clock& clock) {
    engine.setScanner(ScannerID::startupItems, [table](CleanerEngine& e) { return scanStartupItems(e, table); });
    engine.setScanner(ScannerID::icloud, [table, &status, &clock](CleanerEngine& e) {
        return scanICloud(e, table, status, clock.now());
    });
}

}  // namespace zentrel::engine
