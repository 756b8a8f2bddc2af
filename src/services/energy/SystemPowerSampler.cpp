#include "services/energy/SystemPowerSampler.hpp"

namespace zentrel::services {

SystemPowerSampler::SystemPowerSampler(EnergyReportSource& source, const platform::Clock& clock)
    : source_(source), clock_(clock) {}

std::optional<model::SystemPowerReading> SystemPowerSampler::sampleSystemPower() {
    IOReportEnergySubscription* subscription = nullptr;
    {
        std::lock_guard guard(creationLock_);
        if (!subscription_) subscription_ = IOReportEnergySubscription::make(source_, clock_);
        subscription = subscription_.get();
    }
    if (subscription == nullptr) return std::nullopt;
    // The subscription lives as long as this object once made.
    if (auto reading = subscription->sample(kMinimumInterval)) {
        everProduced_ = true;
        return reading;
    }
    if (everProduced_) return model::SystemPowerReading::zero();
    return std::nullopt;
}

}  // namespace zentrel::services
