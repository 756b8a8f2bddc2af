#include "services/energy/EnergyRanking.hpp"

#include "services/processes/CpuPercent.hpp"

#include <algorithm>

namespace zentrel::services {

std::vector<model::ProcessEnergyReading> topEnergyProcesses(const ProcessSampler& sampler,
                                                            const ProcessMap& previousSamples, platform::Date since,
                                                            std::size_t limit) {
    const double elapsedNanos = std::max(sampler.clock().now().timeIntervalSince(since) * 1e9, 1.0);
    const auto samples = sampler.sampleAllProcesses();
    const auto applications = sampler.runningAppsByPID();
    const std::int64_t totalMemory = sampler.readMemorySnapshot().total;
    const std::int32_t ownPid = sampler.currentPid();
    const int processors = sampler.activeProcessorCount();

    std::vector<model::ProcessEnergyReading> readings;
    for (const auto& [pid, application] : applications) {
        auto sample = samples.find(pid);
        if (pid == ownPid || sample == samples.end()) continue;
        auto previous = previousSamples.find(pid);
        const double cpu = cpuPercent(previous == previousSamples.end() ? nullptr : &previous->second, sample->second,
                                      elapsedNanos, processors);
        const double memoryTerm =
            totalMemory < 1 ? 0.0
                            : static_cast<double>(sample->second.residentBytes) / static_cast<double>(totalMemory) * 25.0;
        model::ProcessEnergyReading reading;
        reading.pid = pid;
        reading.name = application.localizedName ? *application.localizedName : sampler.processName(pid);
        reading.bundleID = application.bundleIdentifier;
        reading.energyScore = cpu + memoryTerm;
        reading.cpuPercent = cpu;
        reading.residentBytes = sample->second.residentBytes;
        reading.isActive = application.isActive;
        reading.isApp = true;
        reading.startTime = sample->second.startTime;
        readings.push_back(std::move(reading));
    }
    std::sort(readings.begin(), readings.end(),
              [](const auto& a, const auto& b) { return a.energyScore > b.energyScore; });
    if (readings.size() > limit) readings.resize(limit);
    return readings;
}

}  // namespace zentrel::services
