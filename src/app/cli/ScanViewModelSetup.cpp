#include "app/cli/ScanViewModelSetup.hpp"

#include "platform/settings/JsonFileDefaultsStore.hpp"
#include "platform/settings/MemoryDefaultsStore.hpp"
#include "platform/text/Localization.hpp"

#include <iostream>
#include <sstream>

namespace zentrel::cli {
namespace {

std::unique_ptr<platform::DefaultsStore> settingsStore(const std::filesystem::path& file, bool writable) {
    if (writable) return std::make_unique<platform::JsonFileDefaultsStore>(file);
    return std::make_unique<platform::MemoryDefaultsStore>(
        platform::MemoryDefaultsStore::copyOf(platform::JsonFileDefaultsStore(file)));
}

}  // namespace

ScanViewModelSetup::ScanViewModelSetup(ScanSetup& scan, const platform::HostLayout& layout, bool writeSettings)
    : scan_(scan),
      standard_(settingsStore(layout.defaultsFile(platform::kStandardSuite), writeSettings)),
      suite_(settingsStore(layout.defaultsFile(platform::kAppGroupSuite), writeSettings)),
      engine_(scan.engine) {
    if (writeSettings) {
        restorer_ = std::make_unique<viewmodels::JournalSweepRestorer>(scan.journal, scan.clipboard, scan.pool, scan.loop);
    } else {
        restorer_ = std::make_unique<ReadOnlyRestorer>();
    }
    std::ostringstream silenced;  // the shared state may report on standard output
    auto* previous = std::cout.rdbuf(silenced.rdbuf());
    shared_ = std::make_unique<model::SharedEcosystemState>(suite_.get(), *standard_);
    std::cout.rdbuf(previous);
    // Dates and summaries in the language of the texts, as the window writes them.
    const auto language = platform::Localization::shared().language();
    prefs_ = std::make_unique<model::UserPreferences>(*standard_, platform::SystemClock::shared(), *shared_, language);
    notifications_ = std::make_unique<services::NotificationManager>(*standard_, silent_, scan.loop);
    viewModel_ = std::make_unique<viewmodels::ScanViewModel>(viewmodels::ScanViewModelServices{
        engine_, *restorer_, *prefs_, *shared_, *notifications_, widgets_, platform::SystemClock::shared(), language});
}

void ScanViewModelSetup::waitUntilIdle() {
    scan_.loop.runUntil([this] { return !viewModel_->isScanRunning() && !viewModel_->isCleaning(); });
}

}  // namespace zentrel::cli
