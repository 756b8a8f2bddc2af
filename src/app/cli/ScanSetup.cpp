#include "app/cli/ScanSetup.hpp"

#include "engine/BackupLargeFileAndMailScanners.hpp"
#include "engine/CacheAndTrashScanners.hpp"
#include "engine/DeveloperToolScanners.hpp"
#include "engine/DuplicateAndPrivacyCategories.hpp"
#include "engine/StartupAndICloudScanners.hpp"
#include "platform/JsonFileDefaultsStore.hpp"

#include <iostream>
#include <optional>

namespace zentrel::cli {

ScanSetup::ScanSetup(const platform::HostLayout& layout, const platform::HostTable& table)
    : journal(layout.home),
      cookieStore(fileSystem, table),
      cleanServices{fileSystem, journal, cookieStore, clipboard, icloud, platform::SystemClock::shared(), table} {
    engine.setCleanServices(cleanServices);
    platform::JsonFileDefaultsStore defaults(layout.defaultsFile(platform::kStandardSuite));
    const scanners::PrivacyScanner::ScanOptions privacy{defaults.boolean("privacyIncludeTerminalHistory"),
                                                        defaults.boolean("privacyIncludePasteboardAnalysis")};
    auto& clock = platform::SystemClock::shared();
    engine::registerDeveloperToolScanners(engine, table, clock);
    engine::registerCacheAndTrashScanners(engine, table, clock);
    engine::registerBackupLargeFileAndMailScanners(engine, table);
    engine::registerStartupAndICloudScanners(engine, table, icloud, clock);
    // A terminal has no clipboard of the desktop's to analyse.
    engine::registerDuplicateAndPrivacyScanners(
        engine, {table, [privacy] { return privacy; }, [] { return scanners::ClipboardInsight{}; }});
}

engine::CleanerEngine::Items ScanSetup::fullScan(bool quiet) {
    std::optional<engine::CleanerEngine::Items> result;
    engine.scanCategories(true, true, [quiet](double fraction, const std::string& message) {
        if (!quiet) std::cerr << static_cast<int>(fraction * 100) << "% " << message << "\n";
    }, [&](engine::CleanerEngine::Items items) { result = std::move(items); });
    loop.runUntil([&] { return result.has_value(); });
    return std::move(*result);
}

engine::CleanerEngine::Items ScanSetup::categoryScan(model::CategoryType category) {
    std::optional<engine::CleanerEngine::Items> result;
    engine.scanCategory(category, [&](engine::CleanerEngine::Items items) { result = std::move(items); });
    loop.runUntil([&] { return result.has_value(); });
    return std::move(*result);
}

}  // namespace zentrel::cli
