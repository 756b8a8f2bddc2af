#pragma once
// Mirrors a small summary of the last scan and the latest clean into the App
// Group suite, under "eco." keys, for a widget outside the app to show. The
// app only writes these keys. Main thread only.

#include "platform/settings/DefaultsStore.hpp"

namespace zentrel::model {

class UserPreferences;

class SharedEcosystemState final {
public:
    // `appGroupSuite` is null when the suite cannot be opened: the keys then
    // land in `standard`, and nothing is migrated.
    SharedEcosystemState(platform::DefaultsStore* appGroupSuite, platform::DefaultsStore& standard);
    SharedEcosystemState(const SharedEcosystemState&) = delete;
    SharedEcosystemState& operator=(const SharedEcosystemState&) = delete;

    [[nodiscard]] platform::DefaultsStore& suite() const { return suite_; }

    // Writes the summary read through `preferences` into the suite.
    void syncScanSummary(const UserPreferences& preferences);

private:
    // Once per suite: copies the last-scan figures and the latest clean.
    void migrateIfNeeded(const platform::DefaultsStore& standard);

    platform::DefaultsStore& suite_;
};

}  // namespace zentrel::model
