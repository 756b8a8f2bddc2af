#include "model/DailyEnergyDigest.hpp"

#include "model/JsonFields.hpp"

#include <unicode/calendar.h>
#include <unicode/timezone.h>

#include <cstdio>
#include <memory>

namespace zentrel::model {

namespace fields = json_fields;

std::string DailyEnergyDigest::dayKey(platform::Date date, std::string_view timeZone, std::string_view calendarLocale) {
    std::unique_ptr<icu::TimeZone> zone(
        timeZone.empty() ? icu::TimeZone::createDefault()
                         : icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(
                               icu::StringPiece(timeZone.data(), static_cast<int32_t>(timeZone.size())))));
    UErrorCode status = U_ZERO_ERROR;
    const icu::Locale locale(calendarLocale.empty() ? "en" : std::string(calendarLocale).c_str());
    std::unique_ptr<icu::Calendar> calendar(icu::Calendar::createInstance(zone.release(), locale, status));
    int year = 0, month = 0, day = 0;
    if (U_SUCCESS(status)) {
        calendar->setTime(date.timeIntervalSince1970() * 1000.0, status);
        // A component the calendar cannot give counts as 0.
        auto component = [&](UCalendarDateFields field, int offset) {
            UErrorCode fieldStatus = status;
            const int value = calendar->get(field, fieldStatus);
            return U_SUCCESS(fieldStatus) ? value + offset : 0;
        };
        year = component(UCAL_YEAR, 0);
        month = component(UCAL_MONTH, 1);
        day = component(UCAL_DATE, 0);
    }
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    return text;
}

nlohmann::json toJson(const DailyEnergyDigest& digest) {
    nlohmann::json offenders = nlohmann::json::array();
    for (const auto& offender : digest.topOffenders) {
        nlohmann::json object = {{"name", offender.name}, {"accumulatedScore", offender.accumulatedScore}};
        if (offender.bundleID) object["bundleID"] = *offender.bundleID;
        offenders.push_back(std::move(object));
    }
    return {{"day", digest.day},
            {"topOffenders", std::move(offenders)},
            {"totalPackageJoules", digest.totalPackageJoules},
            {"sampleCount", digest.sampleCount},
            {"lastUpdated", digest.lastUpdated.timeIntervalSinceReferenceDate()}};
}

std::optional<DailyEnergyDigest> dailyEnergyDigestFromJson(std::string_view text) {
    const auto json = nlohmann::json::parse(text, nullptr, /*allow_exceptions=*/false);
    try {
        fields::expectObject(json, "DailyEnergyDigest");
        DailyEnergyDigest digest;
        digest.day = fields::text(json, "day");
        const auto& offenders = fields::required(json, "topOffenders");
        if (!offenders.is_array()) return std::nullopt;
        for (const auto& offender : offenders) {
            fields::expectObject(offender, "EnergyOffenderRecord");
            digest.topOffenders.push_back({fields::optionalText(offender, "bundleID"), fields::text(offender, "name"),
                                           fields::number(offender, "accumulatedScore")});
        }
        digest.totalPackageJoules = fields::number(json, "totalPackageJoules");
        digest.sampleCount = fields::integer(json, "sampleCount");
        digest.lastUpdated = fields::referenceDate(json, "lastUpdated");
        return digest;
    } catch (const DecodingError&) {
        return std::nullopt;
    }
}

}  // namespace zentrel::model
