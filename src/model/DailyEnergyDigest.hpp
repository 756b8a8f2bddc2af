#pragma once
// The energy summary of one calendar day, stored as JSON under
// "energyDailyDigest"; decoding is all or nothing.

#include "model/EnergyOffenderRecord.hpp"
#include "platform/text/Date.hpp"

#include <nlohmann/json_fwd.hpp>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zentrel::model {

struct DailyEnergyDigest {
    std::string day;  // the day key
    std::vector<EnergyOffenderRecord> topOffenders;  // heaviest first
    double totalPackageJoules = 0.0;
    std::int64_t sampleCount = 0;
    platform::Date lastUpdated;

    // "2026-03-07": the date's year, month and day in the calendar of
    // `calendarLocale` ("en", "th@calendar=buddhist") and `timeZone` (an
    // identifier such as "UTC"; empty means the local zone).
    [[nodiscard]] static std::string dayKey(platform::Date date, std::string_view timeZone = {},
                                            std::string_view calendarLocale = {});

    bool operator==(const DailyEnergyDigest&) const = default;
};

[[nodiscard]] nlohmann::json toJson(const DailyEnergyDigest& digest);
[[nodiscard]] std::optional<DailyEnergyDigest> dailyEnergyDigestFromJson(std::string_view text);

}  // namespace zentrel::model
