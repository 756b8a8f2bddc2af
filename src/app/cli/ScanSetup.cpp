#include "app/cli/ScanSetup.hpp"

#include "engine/AllCategoryScanners.hpp"
#include "engine/DeletionGuard.hpp"
#include "platform/settings/JsonFileDefaultsStore.hpp"

#include <iostream>
#include <optional>

namespace zentrel::cli {

ScanSetup::ScanSetup(const platform::HostLayout& layout, const platform::HostTable& table)
    : journal(scanners::SweepJournal::placesFor(table),
              [guard = engine::DeletionGuard(fileSystem, table)](const std::string& path) {
                  return guard.refusal(path, engine::DeletionGuard::Use::removeEntry);
              }),
      cookieStore(fileSystem, table),
      cleanServices{fileSystem, journal, cookieStore, clipboard, icloud, platform::SystemClock::shared(), table} {
    engine.setCleanServices(cleanServices);
    platform::JsonFileDefaultsStore defaults(layout.defaultsFile(platform::kStandardSuite));
    const scanners::PrivacyScanner::ScanOptions privacy{defaults.boolean("privacyIncludeTerminalHistory"),
                                                        defaults.boolean("privacyIncludePasteboardAnalysis")};
    // A terminal has no clipboard of the desktop's to analyse.
    engine::registerAllCategoryScanners(engine, {table, platform::SystemClock::shared(), icloud,
                                                 [privacy] { return privacy; }, [] { return scanners::ClipboardInsight{}; }});
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
