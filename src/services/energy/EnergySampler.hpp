#pragma once
// The main-thread loop that watches energy use: each pass ranks the running
// applications by their energy score since the previous pass, reads the
// package power and hands both to the energy store. Passes run every 300
// seconds on battery power and every 900 seconds otherwise (the power source
// is checked after each pass); the first runs at once.

#include "platform/concurrency/Clock.hpp"
#include "services/energy/EnergyStore.hpp"
#include "services/energy/PowerSourceMonitor.hpp"
#include "services/energy/SystemPowerSampler.hpp"
#include "services/processes/ProcessSampler.hpp"

#include <chrono>

namespace zentrel::services {

class EnergySampler final {
public:
    static constexpr platform::Duration kBatteryInterval = std::chrono::seconds(300);
    static constexpr platform::Duration kMainsInterval = std::chrono::seconds(900);
    // Applications ranked per pass.
    static constexpr std::size_t kRankedApplications = 20;

    EnergySampler(ProcessSampler& processes, SystemPowerSampler& power, EnergyStore& store,
                  const PowerSourceMonitor& powerSource, const platform::Clock& clock,
                  platform::TimerScheduler& scheduler);
    EnergySampler(const EnergySampler&) = delete;
    EnergySampler& operator=(const EnergySampler&) = delete;

    // Runs a pass at once and starts the loop; nothing when it runs already.
    void start();
    void stop();
    [[nodiscard]] bool isRunning() const { return loop_.isActive(); }

    // One pass.
    void tick();

private:
    void scheduleNext();

    ProcessSampler& processes_;
    SystemPowerSampler& power_;
    EnergyStore& store_;
    const PowerSourceMonitor& powerSource_;
    const platform::Clock& clock_;
    platform::TimerScheduler& scheduler_;
    ProcessMap prevSamples_;
    platform::Date prevSampleTime_;
    platform::Timer loop_;
};

}  // namespace zentrel::services
