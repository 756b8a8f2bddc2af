#include "services/energy/IOReportEnergySubscription.hpp"

#include "platform/text/AsciiCase.hpp"

#include <algorithm>

namespace zentrel::services {

namespace {

enum class Consumer { cpu, gpu, ane, other, none };

// First match wins: a name with both "cpu" and "gpu" is the GPU.
Consumer consumerOf(std::string_view original) {
    const auto name = platform::asciiLowercased(original);
    auto contains = [&](std::string_view part) { return name.find(part) != std::string::npos; };
    if (contains("gpu")) return Consumer::gpu;
    if (contains("cpu") || name.starts_with("pacc") || name.starts_with("eacc")) return Consumer::cpu;
    if (name.starts_with("ane")) return Consumer::ane;
    for (std::string_view part : {"dram", "amcc", "dcs", "isp", "pmp", "soc"}) {
        if (contains(part)) return Consumer::other;
    }
    return Consumer::none;
}

std::optional<double> joulesDivisor(std::string_view unit) {
    const auto first = unit.find_first_not_of(" \t\n\r");
    if (first == std::string_view::npos) return std::nullopt;
    unit = unit.substr(first, unit.find_last_not_of(" \t\n\r") - first + 1);
    if (unit == "mJ") return 1e3;
    if (unit == "uJ") return 1e6;
    if (unit == "nJ") return 1e9;
    return std::nullopt;
}

}  // namespace

std::unique_ptr<IOReportEnergySubscription> IOReportEnergySubscription::make(EnergyReportSource& source,
                                                                             const platform::Clock& clock) {
    auto channels = source.copyChannels(kEnergyModelGroup);
    if (!channels || !source.subscribe(*channels)) return nullptr;
    return std::unique_ptr<IOReportEnergySubscription>(
        new IOReportEnergySubscription(source, std::move(*channels), clock));
}

IOReportEnergySubscription::IOReportEnergySubscription(EnergyReportSource& source,
                                                       std::vector<EnergyChannel> channels,
                                                       const platform::Clock& clock)
    : source_(source), channels_(std::move(channels)), clock_(clock) {}

std::optional<model::SystemPowerReading> IOReportEnergySubscription::sample(double minimumInterval) {
    std::lock_guard guard(lock_);
    auto current = source_.createSample();
    if (!current) return std::nullopt;
    const platform::Date now = clock_.now();
    if (!lastSample_ || !lastSampleTime_) {
        lastSample_ = std::move(current);
        lastSampleTime_ = now;
        return std::nullopt;
    }
    const double elapsed = now.timeIntervalSince(*lastSampleTime_);
    if (elapsed < minimumInterval) return std::nullopt;
    const auto delta = source_.createDelta(*lastSample_, *current);
    lastSample_ = std::move(current);
    lastSampleTime_ = now;
    if (!delta) return std::nullopt;
    return powerReading(*delta, elapsed, now);
}

std::optional<model::SystemPowerReading> IOReportEnergySubscription::powerReading(
    const std::vector<EnergyChannel>& delta, double interval, platform::Date sampledAt) {
    if (interval <= 0) return std::nullopt;
    double cpu = 0, gpu = 0, ane = 0, other = 0;
    for (const auto& channel : delta) {
        if (channel.group != kEnergyModelGroup) continue;
        const auto divisor = joulesDivisor(channel.unit);
        if (!divisor) continue;
        const double watts = static_cast<double>(channel.value) / *divisor / interval;
        switch (consumerOf(channel.name)) {
        case Consumer::cpu: cpu += watts; break;
        case Consumer::gpu: gpu += watts; break;
        case Consumer::ane: ane += watts; break;
        case Consumer::other: other += watts; break;
        case Consumer::none: break;
        }
    }
    const double package = other + ane + gpu + cpu;
    if (package <= 0) return std::nullopt;
    model::SystemPowerReading reading;
    reading.cpuWatts = cpu;
    reading.gpuWatts = gpu;
    reading.aneWatts = ane;
    reading.packageWatts = package;
    reading.sampledAt = sampledAt;
    return reading;
}

}  // namespace zentrel::services
