#pragma once
// The machine's package power for anyone who asks, from one subscription that
// is created on first use (and tried again on later calls while creation
// fails) and kept for the rest of the run. Any thread may call it.

#include "model/SystemPowerReading.hpp"
#include "platform/concurrency/Clock.hpp"
#include "services/energy/EnergyReportSource.hpp"
#include "services/energy/IOReportEnergySubscription.hpp"

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>

namespace zentrel::services {

class SystemPowerSampler final {
public:
    // Samples closer together than this give no new reading.
    static constexpr double kMinimumInterval = 0.08;

    SystemPowerSampler(EnergyReportSource& source, const platform::Clock& clock);
    SystemPowerSampler(const SystemPowerSampler&) = delete;
    SystemPowerSampler& operator=(const SystemPowerSampler&) = delete;

    // nullopt while the machine has given no reading yet (and always where it
    // has no energy counters); once it has, a call without a new reading gives
    // the zero reading instead.
    [[nodiscard]] std::optional<model::SystemPowerReading> sampleSystemPower();

private:
    EnergyReportSource& source_;
    const platform::Clock& clock_;
    std::mutex creationLock_;
    std::unique_ptr<IOReportEnergySubscription> subscription_;
    std::atomic<bool> everProduced_{false};
};

}  // namespace zentrel::services
