#include "app/cli/SweepLogAccess.hpp"

#include "platform/concurrency/Clock.hpp"

namespace zentrel::cli {

SweepLogAccess::SweepLogAccess(const platform::HostLayout& layout)
    : standard_(layout.defaultsFile(platform::kStandardSuite)),
      scratchSuite_(platform::MemoryDefaultsStore::copyOf(
          platform::JsonFileDefaultsStore(layout.defaultsFile(platform::kAppGroupSuite)))),
      shared_(&scratchSuite_, standard_),
      preferences_(standard_, platform::SystemClock::shared(), shared_) {}

void SweepLogAccess::adoptRecordedSweeps(const scanners::SweepJournal& journal) {
    preferences_.adoptSweepRecords(journal.recordedSweeps());
}

void SweepLogAccess::purgeBackups(scanners::SweepJournal& journal) {
    if (auto live = preferences_.sweepIDsWithBackupsInUse()) {
        (void)journal.purgeBackups(*live, preferences_.sweepIDsInLog(), platform::SystemClock::shared().now());
    }
}

}  // namespace zentrel::cli
