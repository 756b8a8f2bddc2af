#include "services/processes/TopProcesses.hpp"

#include "services/energy/EnergyRanking.hpp"

#include <algorithm>

namespace zentrel::services {

std::vector<BoostProcess> topProcesses(const ProcessSampler& sampler, const ProcessMap& previousSamples,
                                       platform::Date since, std::size_t limit) {
    const std::int32_t ownPid = sampler.currentPid();
    std::vector<BoostProcess> rows;
    for (const auto& reading : topEnergyProcesses(sampler, previousSamples, since, std::max<std::size_t>(limit, 10))) {
        if (rows.size() == limit) break;
        // The frontmost application is never offered for quitting.
        if (!reading.isApp || reading.pid == ownPid || reading.isActive) continue;
        BoostProcess row;
        row.pid = reading.pid;
        row.name = reading.name;
        row.bundleID = reading.bundleID;
        row.residentBytes = reading.residentBytes;
        row.cpuPercent = reading.cpuPercent;
        row.isApp = true;
        row.startTime = reading.startTime;
        rows.push_back(std::move(row));
    }
    return rows;
}

int quitTopProcesses(ProcessSampler& sampler, const ProcessMap& previousSamples, platform::Date since,
                     std::size_t limit) {
    return sampler.quitProcesses(topProcesses(sampler, previousSamples, since, limit));
}

}  // namespace zentrel::services
