#include "engine/StartupAndICloudScanners.hpp"

#include "engine/PropertyListFile.hpp"
#include "engine/ScanItem.hpp"
#include "engine/SafetyClassifier.hpp"
#include "platform/Localization.hpp"

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

std::string joined(const std::string& root, std::string_view absolute) {
    return (root == "/" || root.empty() ? std::string() : root) + std::string(absolute);
}

}  // namespace

CleanerEngine::Items scanStartupItems(CleanerEngine& engine, const std::string& home, const std::string& systemRoot) {
    const auto& fileSystem = engine.fileSystem();
    CleanerEngine::Items items;
    for (const auto& folder : {home + "/Library/LaunchAgents", joined(systemRoot, "/Library/LaunchAgents")}) {
        for (const auto& name : fileSystem.contentsOfDirectory(folder).value_or(std::vector<std::string>{})) {
            const auto path = folder + "/" + name;
            if (engine.isSymbolicLink(path)) continue;
            std::string label = name;
            if (auto plist = readPropertyListStrings(fileSystem, path, {"Label"})) {
                if (auto found = plist->find("Label"); found != plist->end()) label = found->second;
            }
            const auto attributes = fileSystem.attributes(path);
            if (!attributes) continue;
            auto item = makeItem(label, path, CategoryType::startup, "Launch Agents", attributes->size);
            item.warningMessage = "Disabling may affect app functionality";
            item.friendlyDescription = "A service that launches automatically when your Mac starts";
            items.push_back(std::move(item));
        }
    }
    return items;
}

CleanerEngine::Items scanICloud(CleanerEngine& engine, const std::string& home, const platform::ICloudFileStatus& status,
                                platform::Date now, const ICloudScanLimits& limits) {
    const auto root = home + "/Library/Mobile Documents";
    const auto cutoff = now.addingTimeInterval(-kICloudAgeSeconds);
    CleanerEngine::Items items;
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
        auto item = makeItem(entry->name, entry->path, CategoryType::icloud, "iCloud Downloads", attributes.size);
        item.warningMessage = platform::localized(
            "Frees the local copy only \u2014 the file stays safe in iCloud and re-downloads when you open it.");
        item.deletionMethod = model::DeletionMethod::evictICloud();
        item.friendlyDescription =
            "Local copy of an iCloud file not opened in 6+ months \u2014 freeing it keeps the file safe in iCloud";
        items.push_back(std::move(item));
    }
    std::stable_sort(items.begin(), items.end(), [](const auto& a, const auto& b) { return a.sizeBytes > b.sizeBytes; });
    if (items.size() > limits.maxItems) items.resize(limits.maxItems);
    return items;
}

void registerStartupAndICloudScanners(CleanerEngine& engine, std::string home, std::string systemRoot,
                                      const platform::ICloudFileStatus& status, const platform::Clock& clock) {
    engine.setScanner(ScannerID::startupItems,
                      [home, systemRoot](CleanerEngine& e) { return scanStartupItems(e, home, systemRoot); });
    engine.setScanner(ScannerID::icloud, [home, &status, &clock](CleanerEngine& e) {
        return scanICloud(e, home, status, clock.now());
    });
}

}  // namespace zentrel::engine
