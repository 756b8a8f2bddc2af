// Settings files of any shape: the store loads them, every reader of the
// preferences reads them, and a write saves them again or moves them aside.

#include "model/SharedEcosystemState.hpp"
#include "model/UserPreferences.hpp"
#include "platform/concurrency/Clock.hpp"
#include "platform/settings/JsonFileDefaultsStore.hpp"
#include "platform/settings/MemoryDefaultsStore.hpp"
#include "platform/text/Warnings.hpp"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

// One scratch folder for the run, under TMPDIR.
std::filesystem::path scratchFolder() {
    auto folder = (std::filesystem::temp_directory_path() / "zentrel-settings-fuzz-XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) std::abort();
    zentrel::platform::setWarningSink([](const std::string&) {});
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zentrel;
    static const auto folder = scratchFolder();
    const auto file = folder / "suite.json";
    std::filesystem::remove(folder / "suite.json.corrupt");
    std::ofstream(file, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                  static_cast<std::streamsize>(size));

    platform::JsonFileDefaultsStore store(file);
    for (const auto& key : store.keys()) {
        (void)store.boolean(key);
        (void)store.integer(key);
        (void)store.real(key);
        (void)store.string(key);
        (void)store.data(key);
    }
    platform::MemoryDefaultsStore suite;
    model::SharedEcosystemState shared(&suite, store);
    model::UserPreferences preferences(store, platform::SystemClock::shared(), shared);
    (void)preferences.viewMode();
    (void)preferences.lastScanCategoryTotals();
    (void)preferences.lastSmartCleanupPlan();
    (void)preferences.hasSmartCleanupPlan();
    (void)preferences.lastScanSummary();
    (void)preferences.isAutoScanDue();
    (void)preferences.cleaningHistory();
    (void)preferences.sweepLog();
    (void)preferences.vietIMEMethod();
    (void)preferences.vietIMEIntegrationMode();
    (void)preferences.vietIMEOptions();
    preferences.recordCleaning(1);
    return 0;
}
