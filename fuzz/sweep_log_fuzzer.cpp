// Stored sweep logs of any shape, read and pruned as the app does at start.

#include "model/SharedEcosystemState.hpp"
#include "model/UserPreferences.hpp"
#include "platform/concurrency/Clock.hpp"
#include "platform/settings/MemoryDefaultsStore.hpp"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zentrel::platform::MemoryDefaultsStore standard;
    zentrel::platform::MemoryDefaultsStore suite;
    standard.setData("sweepLog", zentrel::platform::Bytes(data, data + size));
    zentrel::model::SharedEcosystemState shared(&suite, standard);
    zentrel::model::UserPreferences preferences(standard, zentrel::platform::SystemClock::shared(), shared);
    (void)preferences.sweepLog();
    preferences.pruneExpiredSweepRecords();
    return 0;
}
