#include "ui/presenters/BatteryDigestPresenter.hpp"

#include "platform/Localization.hpp"

#include <cstdio>

namespace zentrel::ui {

BatteryDigestContent batteryDigest(const std::optional<model::SystemPowerReading>& power,
                                   const model::DailyEnergyDigest& today) {
    BatteryDigestContent content;
    content.title = platform::localized("Battery drain today");
    // The wattage is a figure, not a text to translate.
    if (power && power->packageWatts > 0) {
        char text[32];
        std::snprintf(text, sizeof text, "%.1f W", power->packageWatts);
        content.wattsText = text;
    }
    for (const auto& offender : today.topOffenders) {
        if (content.offenders.size() == kDigestRows) break;
        content.offenders.push_back(offender.name);
    }
    if (content.offenders.empty()) content.collectingText = platform::localized("Collecting energy data\u2026");
    return content;
}

}  // namespace zentrel::ui
