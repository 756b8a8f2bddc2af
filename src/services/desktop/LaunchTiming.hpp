#pragma once
// The time from the app's start to its first interactive frame, recorded once
// per run under "lastColdLaunchMs" and in "Zentrel/lastColdLaunchMs.txt" of
// the user's application-support folder.

#include "platform/concurrency/Clock.hpp"
#include "platform/settings/DefaultsStore.hpp"

#include <filesystem>

namespace zentrel::services {

class LaunchTiming final {
public:
    // The launch time is read from the clock now, so make this at start.
    LaunchTiming(const platform::Clock& clock, platform::DefaultsStore& defaults,
                 std::filesystem::path ownDataFolder);

    [[nodiscard]] platform::Date launchTime() const { return launchTime_; }
    // The first call records; later calls do nothing.
    void recordFirstInteractiveFrame();

private:
    const platform::Clock& clock_;
    platform::DefaultsStore& defaults_;
    std::filesystem::path applicationSupport_;
    platform::Date launchTime_;
    bool recorded_ = false;
};

}  // namespace zentrel::services
