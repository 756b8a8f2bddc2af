#include "model/DailyEnergyDigest.hpp"
#include "model/ProcessEnergyReading.hpp"
#include "model/SystemPowerReading.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace zentrel::model {
namespace {

platform::Date utc(int year, int month, int day, int hour = 12) {
    // Days from civil date (proleptic Gregorian), enough for the dates below.
    const int y = year - (month <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const double days = era * 146097.0 + doe - 719468.0;
    return platform::Date::fromTimeIntervalSince1970(days * 86400 + hour * 3600);
}

TEST(DailyEnergyDigestTest, DayKeysFollowTheCalendarAndItsTimeZone) {
    EXPECT_EQ(DailyEnergyDigest::dayKey(utc(2026, 3, 7), "UTC"), "2026-03-07");
    EXPECT_EQ(DailyEnergyDigest::dayKey(utc(2026, 12, 31), "UTC"), "2026-12-31");
    EXPECT_EQ(DailyEnergyDigest::dayKey(utc(987, 6, 1), "UTC").substr(0, 5), "0987-");
    const auto nearMidnight = utc(2026, 3, 7, 23);
    EXPECT_EQ(DailyEnergyDigest::dayKey(nearMidnight, "UTC"), "2026-03-07");
    EXPECT_EQ(DailyEnergyDigest::dayKey(nearMidnight, "Asia/Ho_Chi_Minh"), "2026-03-08");
    EXPECT_EQ(DailyEnergyDigest::dayKey(utc(2026, 3, 7), "UTC", "th@calendar=buddhist"), "2569-03-07");
}

TEST(DailyEnergyDigestTest, JsonFormAndStrictReading) {
    DailyEnergyDigest digest{"2026-03-07",
                             {{"com.example.heavy", "Heavy", 120.5}, {std::nullopt, "helper", 3.0}},
                             5400.25, 12, platform::Date::fromTimeIntervalSinceReferenceDate(794000000.5)};
    const auto json = toJson(digest);
    EXPECT_EQ(json["lastUpdated"].get<double>(), 794000000.5);
    EXPECT_FALSE(json["topOffenders"][1].contains("bundleID"));
    EXPECT_EQ(dailyEnergyDigestFromJson(json.dump()), digest);
    EXPECT_EQ(digest.topOffenders[1].id(), "helper");
    EXPECT_EQ(digest.topOffenders[0].id(), "com.example.heavy");

    auto nullID = json;
    nullID["topOffenders"][0]["bundleID"] = nullptr;
    ASSERT_TRUE(dailyEnergyDigestFromJson(nullID.dump()));
    EXPECT_EQ(dailyEnergyDigestFromJson(nullID.dump())->topOffenders[0].bundleID, std::nullopt);

    auto noCount = json;
    noCount.erase("sampleCount");
    EXPECT_EQ(dailyEnergyDigestFromJson(noCount.dump()), std::nullopt);
    auto badName = json;
    badName["topOffenders"][0]["name"] = 5;
    EXPECT_EQ(dailyEnergyDigestFromJson(badName.dump()), std::nullopt);
    EXPECT_EQ(dailyEnergyDigestFromJson("not json"), std::nullopt);
}

TEST(EnergyReadingsTest, ZeroReadingAndEquality) {
    EXPECT_EQ(SystemPowerReading::zero(), (SystemPowerReading{0, 0, 0, 0, platform::Date::distantPast()}));
    EXPECT_NE(SystemPowerReading::zero(), (SystemPowerReading{0, 0, 0, 0, utc(2026, 1, 1)}));
    ProcessEnergyReading a{42, "App", std::nullopt, 1.0, 1.0, 10, false, true};
    auto b = a;
    b.bundleID = "";
    EXPECT_NE(a, b);
    EXPECT_EQ(a.id(), 42);
}

}  // namespace
}  // namespace zentrel::model
