#pragma once
// One application's energy estimate for the last sampling interval.

#include <cstdint>
#include <optional>
#include <string>

namespace zentrel::model {

struct ProcessEnergyReading {
    std::int32_t pid = 0;
    std::string name;
    std::optional<std::string> bundleID;
    double energyScore = 0.0;  // unitless: CPU percent plus a memory-share term
    double cpuPercent = 0.0;   // of one core
    std::int64_t residentBytes = 0;
    bool isActive = false;
    bool isApp = true;
    // With the pid, which process this is; 0 when unknown.
    std::uint64_t startTime = 0;

    [[nodiscard]] std::int32_t id() const { return pid; }

    bool operator==(const ProcessEnergyReading&) const = default;
};

}  // namespace zentrel::model
