#pragma once
// The tray popover's battery section: the package power drawn now, when the
// machine gives a reading above 0 W, and today's three heaviest applications,
// or a note that energy data is still being collected.

#include "model/DailyEnergyDigest.hpp"
#include "model/SystemPowerReading.hpp"

#include <optional>
#include <string>
#include <vector>

namespace zentrel::ui {

struct BatteryDigestContent {
    std::string title;
    std::optional<std::string> wattsText;  // "12.3 W"
    std::vector<std::string> offenders;    // at most three, heaviest first
    std::string collectingText;            // shown when there are no offenders

    bool operator==(const BatteryDigestContent&) const = default;
};

inline constexpr std::size_t kDigestRows = 3;

[[nodiscard]] BatteryDigestContent batteryDigest(const std::optional<model::SystemPowerReading>& power,
                                                 const model::DailyEnergyDigest& today);

}  // namespace zentrel::ui
