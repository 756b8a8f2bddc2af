#pragma once
// Whether the machine runs on its battery, behind a seam.
// SysfsPowerSourceMonitor reads it on Linux.

namespace zentrel::services {

class PowerSourceMonitor {
public:
    virtual ~PowerSourceMonitor() = default;
    // false whenever it cannot be told.
    [[nodiscard]] virtual bool isOnBatteryPower() const = 0;
};

}  // namespace zentrel::services
