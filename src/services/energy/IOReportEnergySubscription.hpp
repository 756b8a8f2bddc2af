#pragma once
// A subscription to the energy-model channels of an energy report source. Two
// successive samples give the watts spent by the CPU, the GPU, the neural
// engine and the whole package. Made only by make(); sampling is guarded by
// the subscription's own lock, so any thread may sample.

#include "model/SystemPowerReading.hpp"
#include "platform/concurrency/Clock.hpp"
#include "services/energy/EnergyReportSource.hpp"

#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace zentrel::services {

class IOReportEnergySubscription final {
public:
    // nullptr when the source has no energy-model group or refuses the
    // subscription.
    [[nodiscard]] static std::unique_ptr<IOReportEnergySubscription> make(EnergyReportSource& source,
                                                                          const platform::Clock& clock);

    IOReportEnergySubscription(const IOReportEnergySubscription&) = delete;
    IOReportEnergySubscription& operator=(const IOReportEnergySubscription&) = delete;

    // The power since the previous sample. The first sample only primes the
    // subscription; a sample taken sooner than `minimumInterval` seconds after
    // the previous one is dropped; both give nullopt.
    [[nodiscard]] std::optional<model::SystemPowerReading> sample(double minimumInterval);

    // Watts from the energy each channel spent over `interval` seconds;
    // nullopt for an interval of 0 or less or a package total of 0 or less.
    [[nodiscard]] static std::optional<model::SystemPowerReading> powerReading(
        const std::vector<EnergyChannel>& delta, double interval, platform::Date sampledAt);

private:
    IOReportEnergySubscription(EnergyReportSource& source, std::vector<EnergyChannel> channels,
                               const platform::Clock& clock);

    EnergyReportSource& source_;
    std::vector<EnergyChannel> channels_;
    const platform::Clock& clock_;
    std::mutex lock_;
    std::optional<EnergySample> lastSample_;
    std::optional<platform::Date> lastSampleTime_;
};

}  // namespace zentrel::services
