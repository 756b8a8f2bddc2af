#pragma once
// A power source the test switches between battery and mains, counting how
// often it was asked.

#include "services/energy/PowerSourceMonitor.hpp"

namespace zentrel::testing {

class FakePowerSourceMonitor final : public services::PowerSourceMonitor {
public:
    [[nodiscard]] bool isOnBatteryPower() const override {
        ++checks;
        return onBattery;
    }

    bool onBattery = false;
    mutable int checks = 0;
};

}  // namespace zentrel::testing
