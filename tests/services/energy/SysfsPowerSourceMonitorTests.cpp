#include "services/energy/SysfsPowerSourceMonitor.hpp"

#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

#include <map>

namespace zentrel::services {
namespace {

using Supply = std::map<std::string, std::string>;  // attribute to value

struct PowerCase {
    const char* label;
    std::map<std::string, Supply> supplies;
    bool onBattery;
};
// Failures name the case rather than dump its bytes.
void PrintTo(const PowerCase& c, std::ostream* out) { *out << c.label; }

class SysfsPowerSourceMonitorTest : public ::testing::TestWithParam<PowerCase> {};

TEST_P(SysfsPowerSourceMonitorTest, TellsBatteryPowerFromTheSupplies) {
    testing::TempDir temp;
    for (const auto& [name, attributes] : GetParam().supplies) {
        temp.makeDirectory("sys/class/power_supply/" + name);
        for (const auto& [attribute, value] : attributes)
            temp.write("sys/class/power_supply/" + name + "/" + attribute, value + "\n");
    }
    EXPECT_EQ(SysfsPowerSourceMonitor(temp / "sys").isOnBatteryPower(), GetParam().onBattery) << GetParam().label;
}

const Supply kMainsOnline{{"type", "Mains"}, {"online", "1"}};
const Supply kMainsOffline{{"type", "Mains"}, {"online", "0"}};
const Supply kDischarging{{"type", "Battery"}, {"scope", "System"}, {"status", "Discharging"}};
const Supply kCharging{{"type", "Battery"}, {"status", "Charging"}};
const Supply kMouse{{"type", "Battery"}, {"scope", "Device"}, {"status", "Discharging"}};

INSTANTIATE_TEST_SUITE_P(
    Supplies, SysfsPowerSourceMonitorTest,
    ::testing::Values(PowerCase{"no supplies at all", {}, false},
                      PowerCase{"desktop on mains", {{"AC", kMainsOnline}}, false},
                      PowerCase{"laptop unplugged", {{"AC", kMainsOffline}, {"BAT0", kDischarging}}, true},
                      PowerCase{"laptop plugged in", {{"AC", kMainsOnline}, {"BAT0", kCharging}}, false},
                      PowerCase{"weak charger", {{"AC", kMainsOnline}, {"BAT0", kDischarging}}, false},
                      PowerCase{"battery without a mains entry", {{"BAT0", kDischarging}}, true},
                      PowerCase{"only a mouse battery", {{"AC", kMainsOffline}, {"hidpp_battery_0", kMouse}}, false},
                      PowerCase{"charging over USB-C",
                                {{"ucsi-source-psy-1", {{"type", "USB"}, {"online", "1"}}}, {"BAT1", kDischarging}},
                                false},
                      PowerCase{"unreadable supply", {{"BAT0", {}}}, false}));

}  // namespace
}  // namespace zentrel::services
