#include "ui/presenters/BatteryDigestPresenter.hpp"

#include "platform/text/Localization.hpp"
#include "platform/text/NumberFormatter.hpp"


namespace zentrel::ui {

BatteryDigestContent batteryDigest(const std::optional<model::SystemPowerReading>& power,
                                   const model::DailyEnergyDigest& today) {
    BatteryDigestContent content;
    content.title = platform::localized("Battery drain today");
    // The wattage is a figure in the window's language; the unit is not translated.
    if (power && power->packageWatts > 0) {
        content.wattsText = platform::formatNumber(power->packageWatts, 1, 1) + " W";
    }
    for (const auto& offender : today.topOffenders) {
        if (content.offenders.size() == kDigestRows) break;
        content.offenders.push_back(offender.name);
    }
    if (content.offenders.empty()) content.collectingText = platform::localized("Collecting energy data\u2026");
    return content;
}

}  // namespace zentrel::ui
