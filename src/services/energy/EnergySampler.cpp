#include "services/energy/EnergySampler.hpp"

#include "services/energy/EnergyRanking.hpp"

#include <algorithm>

namespace zentrel::services {

EnergySampler::EnergySampler(ProcessSampler& processes, SystemPowerSampler& power, EnergyStore& store,
                             const PowerSourceMonitor& powerSource, const platform::Clock& clock,
                             platform::TimerScheduler& scheduler)
    : processes_(processes),
      power_(power),
      store_(store),
      powerSource_(powerSource),
      clock_(clock),
      scheduler_(scheduler),
      prevSampleTime_(clock.now()) {}

void EnergySampler::start() {
    if (loop_.isActive()) return;
    tick();
    scheduleNext();
}

void EnergySampler::stop() { loop_.cancel(); }

void EnergySampler::scheduleNext() {
    const auto interval = powerSource_.isOnBatteryPower() ? kBatteryInterval : kMainsInterval;
    loop_ = scheduler_.scheduleOnce(interval, [this] {
        tick();
        scheduleNext();
    });
}

void EnergySampler::tick() {
    const platform::Date now = clock_.now();
    const double interval = now.timeIntervalSince(prevSampleTime_);
    const auto readings = topEnergyProcesses(processes_, prevSamples_, prevSampleTime_, kRankedApplications);
    const auto power = power_.sampleSystemPower();
    store_.record(readings, power ? std::optional(power->packageWatts) : std::nullopt, std::max(interval, 1.0));
    prevSamples_ = processes_.sampleAllProcesses();
    prevSampleTime_ = now;
}

}  // namespace zentrel::services
