#include "services/energy/EnergyStore.hpp"

#include "doubles/FakeClock.hpp"
#include "doubles/InMemoryDefaultsStore.hpp"

#include <gtest/gtest.h>

#include <chrono>

namespace zentrel::services {
namespace {

model::ProcessEnergyReading app(std::string name, double score, std::optional<std::string> bundle = std::nullopt) {
    return {.pid = 1, .name = std::move(name), .bundleID = std::move(bundle), .energyScore = score,
            .cpuPercent = score, .residentBytes = 0, .isActive = false, .isApp = true};
}

class EnergyStoreTest : public ::testing::Test {
protected:
    testing::InMemoryDefaultsStore defaults;
    testing::FakeClock clock;
    EnergyStore store{defaults, clock};
};

TEST_F(EnergyStoreTest, ScoresAndPackageEnergyAccumulateIntoTodaysDigest) {
    store.record({app("Heavy", 10, "com.example.heavy"), app("Idle", 0.5), app("Light", 2)}, 4.0, 300);
    store.record({app("Heavy", 10, "com.example.heavy")}, std::nullopt, 300);
    store.record({}, 0.0, 300);  // no power reading: not a sample

    auto digest = store.todayDigest();
    EXPECT_EQ(digest.day, model::DailyEnergyDigest::dayKey(clock.now()));
    EXPECT_EQ(digest.sampleCount, 1);
    EXPECT_DOUBLE_EQ(digest.totalPackageJoules, 1200.0);
    auto top = store.topOffenders(5);
    ASSERT_EQ(top.size(), 2u);  // a score at the floor adds nothing
    EXPECT_EQ(top[0].name, "Heavy");
    EXPECT_DOUBLE_EQ(top[0].accumulatedScore, 6000.0);
    EXPECT_EQ(top[1].name, "Light");

    // Stored: a new store over the same defaults sees the same digest.
    EnergyStore reopened(defaults, clock);
    EXPECT_EQ(reopened.loadDailyDigest(), digest);
}

TEST_F(EnergyStoreTest, TheDigestKeepsTheFiveHeaviest) {
    std::vector<model::ProcessEnergyReading> readings;
    for (int i = 1; i <= 7; ++i) readings.push_back(app("App" + std::to_string(i), i));
    store.record(readings, 1.0, 60);
    auto offenders = store.todayDigest().topOffenders;
    ASSERT_EQ(offenders.size(), 5u);
    EXPECT_EQ(offenders.front().name, "App7");
    EXPECT_EQ(offenders.back().name, "App3");
}

TEST_F(EnergyStoreTest, ANewDayStartsAfreshAndADamagedDigestReadsAsEmpty) {
    store.record({app("Heavy", 10)}, 4.0, 300);
    clock.setNow(clock.now().addingTimeInterval(86400));
    auto digest = store.todayDigest();
    EXPECT_EQ(digest.day, model::DailyEnergyDigest::dayKey(clock.now()));
    EXPECT_EQ(digest.sampleCount, 0);
    EXPECT_TRUE(digest.topOffenders.empty());
    EXPECT_TRUE(store.topOffenders(5).empty());
    EXPECT_EQ(defaults.string("energyLastDigestDay"), digest.day);

    defaults.setData("energyDailyDigest", platform::bytesOf("{\"day\":3}"));
    EXPECT_EQ(store.loadDailyDigest().sampleCount, 0);
    EXPECT_EQ(store.loadDailyDigest().day, digest.day);
}

}  // namespace
}  // namespace zentrel::services
