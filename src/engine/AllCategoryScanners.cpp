#include "engine/AllCategoryScanners.hpp"

#include "engine/BackupLargeFileAndMailScanners.hpp"
#include "engine/CacheAndTrashScanners.hpp"
#include "engine/DeveloperToolScanners.hpp"
#include "engine/DuplicateAndPrivacyCategories.hpp"
#include "engine/StartupAndICloudScanners.hpp"

namespace zentrel::engine {

void registerAllCategoryScanners(CleanerEngine& engine, const ScannerSources& sources) {
    registerDeveloperToolScanners(engine, sources.table, sources.clock);
    registerCacheAndTrashScanners(engine, sources.table, sources.clock);
    registerBackupLargeFileAndMailScanners(engine, sources.table);
    registerStartupAndICloudScanners(engine, sources.table, sources.icloud, sources.clock);
    registerDuplicateAndPrivacyScanners(engine, {sources.table, sources.privacySettings, sources.clipboardCheck});
}

}  // namespace zentrel::engine
