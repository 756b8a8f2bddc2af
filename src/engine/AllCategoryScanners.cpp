#include "engine/AllCategoryScanners.hpp"

#include "engine/BackupLargeFileAndMailScanners.hpp"
#include "engine/CacheAndTrashScanners.hpp"
#include "engine/DeveloperToolScanners.hpp"
#include "engine/DuplicateAndPrivacyCategories.hpp"
#include "engine/StartupAndICloudScanners.hpp"

namespace zentrel::engine {

std::vector<model::CategoryType> categoriesWithPlaces(const platform::HostTable& table) {
    using model::CategoryType;
    const auto hasPlace = [&table](CategoryType category) {
        switch (category) {
        case CategoryType::xcode:
            return !(table.xcodeDerivedData.empty() && table.xcodeDeviceSupport.empty() &&
                     table.xcodeSimulators.empty() && table.xcodeArchives.empty());
        case CategoryType::iosBackups: return !table.deviceBackups.empty();
        case CategoryType::icloud: return !table.icloudDocuments.empty();
        default: return true;  // the home folder, or places of several kinds
        }
    };
    std::vector<CategoryType> categories;
    for (auto category : model::kAllCategories)
        if (hasPlace(category)) categories.push_back(category);
    return categories;
}

void registerAllCategoryScanners(CleanerEngine& engine, const ScannerSources& sources) {
    engine.setCategories(categoriesWithPlaces(sources.table));
    registerDeveloperToolScanners(engine, sources.table, sources.clock);
    registerCacheAndTrashScanners(engine, sources.table, sources.clock);
    registerBackupLargeFileAndMailScanners(engine, sources.table);
    registerStartupAndICloudScanners(engine, sources.table, sources.icloud, sources.clock);
    registerDuplicateAndPrivacyScanners(engine, {sources.table, sources.privacySettings, sources.clipboardCheck});
}

}  // namespace zentrel::engine
