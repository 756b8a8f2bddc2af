#include "platform/text/RelativeDateFormatter.hpp"

#include <unicode/reldatefmt.h>
#include <unicode/unistr.h>

#include <cmath>
#include <memory>

namespace zentrel::platform {

namespace {

struct UnitStep {
    double seconds;
    URelativeDateTimeUnit unit;
};

// Largest first; a month counts as 30 days and a year as 365.
constexpr UnitStep kSteps[] = {
    {365.0 * 86400, UDAT_REL_UNIT_YEAR}, {30.0 * 86400, UDAT_REL_UNIT_MONTH}, {7.0 * 86400, UDAT_REL_UNIT_WEEK},
    {86400, UDAT_REL_UNIT_DAY},          {3600, UDAT_REL_UNIT_HOUR},          {60, UDAT_REL_UNIT_MINUTE},
};

std::string formatRelative(Date date, Date now, std::string_view language, UDateRelativeDateTimeFormatterStyle style) {
    const double offset = date.timeIntervalSince(now);
    double value = 0;
    URelativeDateTimeUnit unit = UDAT_REL_UNIT_SECOND;
    for (const auto& step : kSteps) {
        if (std::fabs(offset) >= step.seconds) {
            value = std::trunc(offset / step.seconds);
            unit = step.unit;
            break;
        }
    }

    UErrorCode status = U_ZERO_ERROR;
    icu::Locale locale(std::string(language).c_str());
    icu::RelativeDateTimeFormatter formatter(locale, nullptr, style, UDISPCTX_CAPITALIZATION_NONE, status);
    if (U_FAILURE(status)) return {};
    icu::UnicodeString text;
    // Under a minute is "now", never "0 sec. ago".
    if (unit == UDAT_REL_UNIT_SECOND) {
        formatter.format(UDAT_DIRECTION_PLAIN, UDAT_ABSOLUTE_NOW, text, status);
    } else {
        formatter.formatNumeric(value, unit, text, status);
    }
    if (U_FAILURE(status)) return {};
    std::string result;
    text.toUTF8String(result);
    return result;
}

}  // namespace

bool isJustNow(Date date, Date now) { return std::fabs(date.timeIntervalSince(now)) < 60; }

std::string formatRelativeAbbreviated(Date date, Date now, std::string_view language) {
    return formatRelative(date, now, language, UDAT_STYLE_SHORT);
}

std::string formatRelativeFull(Date date, Date now, std::string_view language) {
    return formatRelative(date, now, language, UDAT_STYLE_LONG);
}

}  // namespace zentrel::platform
