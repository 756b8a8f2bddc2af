#pragma once
// The sweep log of a home folder's settings, for the commands that clean and
// undo. It writes the standard settings file only; the shared summary of the
// home-screen widget is left as it is.

#include "model/SharedEcosystemState.hpp"
#include "model/UserPreferences.hpp"
#include "platform/places/HostLayout.hpp"
#include "platform/settings/JsonFileDefaultsStore.hpp"
#include "platform/settings/MemoryDefaultsStore.hpp"
#include "scanners/privacy/SweepJournal.hpp"

namespace zentrel::cli {

class SweepLogAccess {
public:
    explicit SweepLogAccess(const platform::HostLayout& layout);

    model::UserPreferences& preferences() { return preferences_; }
    // Takes over into the log the sweeps cut short that only the journal knows.
    void adoptRecordedSweeps(const scanners::SweepJournal& journal);
    // Drops the backups of sweeps that are expired, fully restored or gone,
    // once they are a day old.
    void purgeBackups(scanners::SweepJournal& journal);

private:
    platform::JsonFileDefaultsStore standard_;
    platform::MemoryDefaultsStore scratchSuite_;
    model::SharedEcosystemState shared_;
    model::UserPreferences preferences_;
};

}  // namespace zentrel::cli
