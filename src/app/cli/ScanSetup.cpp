#include "app/cli/ScanSetup.hpp"

#include "engine/BackupLargeFileAndMailScanners.hpp"
#include "engine/CacheAndTrashScanners.hpp"
#include "engine/DeletionGuard.hpp"
#include "engine/DeveloperToolScanners.hpp"
#include "engine/DuplicateAndPrivacyCategories.hpp"
#include "engine/StartupAndICloudScanners.hpp"
#include "platform/JsonFileDefaultsStore.hpp"

#include <iostream>
#include <optional>

namespace zentrel::cli {

ScanSetup::ScanSetup(const platform::HostLayout& layout)
    : journal(layout.home,
              [guard = engine::DeletionGuard(fileSystem, layout.home.string(), layout.systemRoot.string())](
                  const std::string& path) { return guard.refusal(path, engine::DeletionGuard::Use::removeEntry); }),
      cookieStore(fileSystem, layout.home.string()),
      cleanServices{fileSystem, journal, cookieStore, clipboard, icloud, platform::SystemClock::shared(),
                    layout.home.string(), layout.systemRoot.string()} {
    engine.setCleanServices(cleanServices);
    platform::JsonFileDefaultsStore defaults(layout.defaultsFile(platform::kStandardSuite));
    const scanners::PrivacyScanner::ScanOptions privacy{defaults.boolean("privacyIncludeTerminalHistory"),
                                                        defaults.boolean("privacyIncludePasteboardAnalysis")};
    auto& clock = platform::SystemClock::shared();
    const auto home = layout.home.string();
    const auto systemRoot = layout.systemRoot.string();
    engine::registerDeveloperToolScanners(engine, home, systemRoot, clock);
    engine::registerCacheAndTrashScanners(engine, home, clock);
    engine::registerBackupLargeFileAndMailScanners(engine, home);
    engine::registerStartupAndICloudScanners(engine, home, systemRoot, icloud, clock);
    // A terminal has no clipboard of the desktop's to analyse.
    engine::registerDuplicateAndPrivacyScanners(
        engine, {home, [privacy] { return privacy; }, [] { return scanners::ClipboardInsight{}; }});
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
