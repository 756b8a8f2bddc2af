#pragma once
// Power drawn by the processor package over the last sampling interval.

#include "platform/text/Date.hpp"

namespace zentrel::model {

struct SystemPowerReading {
    double cpuWatts = 0.0;
    double gpuWatts = 0.0;
    double aneWatts = 0.0;
    double packageWatts = 0.0;
    platform::Date sampledAt;

    // All zero, dated in the distant past: what a failed sample gives after a good one.
    [[nodiscard]] static const SystemPowerReading& zero() {
        static const SystemPowerReading reading{0.0, 0.0, 0.0, 0.0, platform::Date::distantPast()};
        return reading;
    }

    bool operator==(const SystemPowerReading&) const = default;
};

}  // namespace zentrel::model
