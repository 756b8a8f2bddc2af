#include "engine/AllCategoryScanners.hpp"

#include "engine/BackupLargeFileAndMailScanners.hpp"
#include "engine/CacheAndTrashScanners.hpp"
#include "engine/DeveloperToolScanners.hpp"
#include "engine/DuplicateAndPrivacyCategories.hpp"
#include "engine/StartupAndICloudScanners.hpp"

namespace zentrel::engine {

void registerAllCategoryScanners(CleanerEngine& engine, const ScannerSources& sources) {
    registerDeveloperToolScanners(engine, sources.home, sources.systemRoot, sources.clock);
    registerCacheAndTrashScanners(engine, sources.home, sources.clock);
    registerBackupLargeFileAndMailScanners(engine, sources.home);
    registerStartupAndICloudScanners(engine, sources.home, sources.systemRoot, sources.icloud, sources.clock);
    registerDuplicateAndPrivacyScanners(engine, {sources.home, sources.privacySettings, sources.clipboardCheck});
}

}  // namespace zentrel::engine
