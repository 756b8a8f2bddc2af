#pragma once
// The power source from "class/power_supply" of a sysfs root. The machine is
// on battery power when one of its own batteries (not a device's, such as a
// wireless mouse's) is discharging and no external supply (mains, USB) is
// online. A machine without a battery, or whose supplies cannot be read,
// counts as not on battery.

#include "services/energy/PowerSourceMonitor.hpp"

#include <filesystem>

namespace zentrel::services {

class SysfsPowerSourceMonitor final : public PowerSourceMonitor {
public:
    explicit SysfsPowerSourceMonitor(std::filesystem::path sysfsRoot = "/sys");

    [[nodiscard]] bool isOnBatteryPower() const override;

private:
    std::filesystem::path supplyFolder_;
};

}  // namespace zentrel::services
