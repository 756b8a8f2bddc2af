#include "model/SharedEcosystemState.hpp"
#include "model/UserPreferences.hpp"

#include "platform/text/ByteCountFormatter.hpp"

#include "doubles/FakeClock.hpp"
#include "doubles/InMemoryDefaultsStore.hpp"
#include "doubles/TempDir.hpp"
#include "doubles/WarningCapture.hpp"
#include "platform/settings/JsonFileDefaultsStore.hpp"

#include <gtest/gtest.h>

namespace zentrel::model {
namespace {

class UserPreferencesTest : public ::testing::Test {
protected:
    testing::InMemoryDefaultsStore standard;
    testing::InMemoryDefaultsStore suite;
    testing::FakeClock clock;
    SharedEcosystemState shared{&suite, standard};
    UserPreferences prefs{standard, clock, shared};

    SweepRecord record(double expiresIn) {
        return {platform::Uuid::random(), clock.now(), clock.now().addingTimeInterval(expiresIn),
                {{platform::Uuid::random(), SweepActionKind::fileRemoved, "x", {}, {}, {}, false}}, 1};
    }
    static constexpr double kDay = 86400;
};

TEST_F(UserPreferencesTest, AnEmptyStoreReadsAsTheDefaults) {
    EXPECT_EQ(prefs.viewMode(), ViewMode::recommended);
    EXPECT_FALSE(prefs.isAutoScanDue());
    EXPECT_EQ(prefs.lastScanSummary(), std::nullopt);
    EXPECT_FALSE(prefs.hasSmartCleanupPlan());
    EXPECT_TRUE(prefs.cleaningHistory().empty());
    EXPECT_TRUE(prefs.sweepLog().empty());
    EXPECT_EQ(prefs.vietIMEMethod(), typing::VietInputMethod::telex);
    EXPECT_EQ(prefs.vietIMEIntegrationMode(), typing::VietIMEIntegrationMode::cgEvent);
    EXPECT_TRUE(prefs.energyDigestEnabled());
    EXPECT_TRUE(prefs.vietIMERuleEngineEnabled());
    EXPECT_TRUE(prefs.vietIMEUseMarkedText());
    EXPECT_EQ(prefs.vietIMEOptions(), typing::VietIMEOptions::defaultOptions);
}

TEST_F(UserPreferencesTest, StoredTextsAndBooleansAreReadExactly) {
    standard.setString("viewMode", "Advanced");
    EXPECT_EQ(prefs.viewMode(), ViewMode::recommended);
    standard.setString("viewMode", "advanced");
    EXPECT_EQ(prefs.viewMode(), ViewMode::advanced);
    standard.setString("vietIMEMethod", "vni");
    EXPECT_EQ(prefs.vietIMEMethod(), typing::VietInputMethod::telex);
    standard.setString("vietIMEMethod", "VIQR");
    EXPECT_EQ(prefs.vietIMEMethod(), typing::VietInputMethod::viqr);
    standard.setString("vietIMEIntegrationMode", "hybrid");
    EXPECT_EQ(prefs.vietIMEIntegrationMode(), typing::VietIMEIntegrationMode::hybrid);
    standard.setBool("energyDigestEnabled", false);
    standard.setString("vietIMEUseMarkedText", "NO");
    standard.setInteger("vietIMERuleEngineEnabled", 0);
    EXPECT_FALSE(prefs.energyDigestEnabled());
    EXPECT_FALSE(prefs.vietIMEUseMarkedText());
    EXPECT_FALSE(prefs.vietIMERuleEngineEnabled());

    auto options = typing::VietIMEOptions::defaultOptions;
    options.quickTelex = true;
    prefs.setVietIMEOptions(options);
    EXPECT_EQ(prefs.vietIMEOptions(), options);
    // One missing or bad key costs only itself.
    standard.setData("vietIMEOptions",
                     platform::bytesOf("{\"quickTelex\":true,\"standaloneW\":1,\"toneRule\":\"modern\"}"));
    auto expected = typing::VietIMEOptions::defaultOptions;
    expected.quickTelex = true;
    expected.toneRule = typing::VietToneRule::modern;
    EXPECT_EQ(prefs.vietIMEOptions(), expected);
    standard.setData("vietIMEOptions", platform::bytesOf("[true]"));
    EXPECT_EQ(prefs.vietIMEOptions(), typing::VietIMEOptions::defaultOptions);
}

TEST_F(UserPreferencesTest, AutoScanIsDueOneIntervalAfterTheLastScan) {
    standard.setBool("autoScanEnabled", true);
    EXPECT_TRUE(prefs.isAutoScanDue());  // never scanned
    const double now = clock.now().timeIntervalSince1970();
    for (auto days : {0, -3}) {
        standard.setInteger("autoScanIntervalDays", days);
        standard.setReal("lastScanDate", now - 7 * kDay);
        EXPECT_TRUE(prefs.isAutoScanDue()) << days;
        standard.setReal("lastScanDate", now - 7 * kDay + 1);
        EXPECT_FALSE(prefs.isAutoScanDue()) << days;
    }
    standard.setInteger("autoScanIntervalDays", 2);
    standard.setReal("lastScanDate", now - 2 * kDay);
    EXPECT_TRUE(prefs.isAutoScanDue());
    standard.setBool("autoScanEnabled", false);
    EXPECT_FALSE(prefs.isAutoScanDue());
}

TEST_F(UserPreferencesTest, LastScanSummaryTellsWhenAndHowMuch) {
    standard.setReal("lastScanDate", clock.now().timeIntervalSince1970() - 2 * 3600 - 5);
    standard.setReal("lastScanFoundBytes", 1'500'000'000.9);
    EXPECT_EQ(prefs.lastScanSummary(), "Last scan 2 hr. ago \u00B7 found " + platform::formatByteCount(1'500'000'000));
}

TEST_F(UserPreferencesTest, CleaningHistoryKeepsTheLastThirtyAndTheAllTimeTotal) {
    for (int i = 1; i <= 31; ++i) {
        prefs.recordCleaning(i);
        clock.setNow(clock.now().addingTimeInterval(60));
    }
    auto history = prefs.cleaningHistory();
    ASSERT_EQ(history.size(), 30u);
    EXPECT_EQ(history.front().freedBytes, 2);
    EXPECT_EQ(history.back().freedBytes, 31);
    EXPECT_EQ(standard.real("totalFreedAllTime"), 31.0 * 32 / 2);
    EXPECT_EQ(suite.real("eco.lastCleaningFreedBytes"), 31.0);
}

TEST_F(UserPreferencesTest, SweepLogNewestFirstTenAtMostPrunedAtExpiry) {
    std::vector<platform::Uuid> ids;
    for (int i = 0; i < 11; ++i) {
        auto made = record(kDay);
        ids.push_back(made.id);
        (void)prefs.appendSweepRecord(made);
    }
    auto log = prefs.sweepLog();
    ASSERT_EQ(log.size(), 10u);
    EXPECT_EQ(log.front().id, ids.back());
    EXPECT_EQ(log.back().id, ids[1]);

    prefs.setSweepLog({record(0), record(1)});
    prefs.pruneExpiredSweepRecords();
    ASSERT_EQ(prefs.sweepLog().size(), 1u);
}

TEST_F(UserPreferencesTest, ADamagedSweepRecordIsSkippedReportedAndKeptWhileTheOthersStayUndoable) {
    testing::WarningCapture warnings;
    const auto older = record(kDay), newer = record(kDay);
    const std::string damaged = R"({"id":"x","kind":"nothing"})";
    standard.setData("sweepLog", platform::bytesOf("[" + encodeSweepRecord(newer).dump() + "," + damaged + "," +
                                                   encodeSweepRecord(older).dump() + "]"));
    auto log = prefs.sweepLog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].id, newer.id);
    EXPECT_EQ(log[1].id, older.id);
    ASSERT_FALSE(warnings.lines().empty());
    EXPECT_EQ(warnings.lines()[0].rfind("[Zentrel] Skipped a damaged sweep record: ", 0), 0u) << warnings.lines()[0];

    prefs.pruneExpiredSweepRecords();
    prefs.markSweepActionRestored(older.id, older.actions[0].id);
    (void)prefs.appendSweepRecord(record(kDay));
    log = prefs.sweepLog();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_TRUE(log[2].actions[0].isRestored);
    const auto stored = nlohmann::json::parse(platform::textOf(*standard.data("sweepLog")));
    ASSERT_EQ(stored.size(), 4u);
    EXPECT_EQ(stored[2], nlohmann::json::parse(damaged)) << "kept as it was stored";
}

TEST_F(UserPreferencesTest, ALogThatIsNoListIsNeverWrittenBack) {
    testing::WarningCapture warnings;
    const auto unreadable = platform::bytesOf(R"({"records":)");
    standard.setData("sweepLog", unreadable);
    EXPECT_TRUE(prefs.sweepLog().empty());
    prefs.pruneExpiredSweepRecords();
    prefs.markSweepActionRestored(platform::Uuid::random(), platform::Uuid::random());
    EXPECT_EQ(standard.data("sweepLog"), unreadable);

    // A new sweep is still recorded; what could not be read is set aside.
    const auto made = record(kDay);
    (void)prefs.appendSweepRecord(made);
    ASSERT_EQ(prefs.sweepLog().size(), 1u);
    EXPECT_EQ(prefs.sweepLog()[0].id, made.id);
    EXPECT_EQ(standard.data("sweepLogUnreadable"), unreadable);
}

TEST_F(UserPreferencesTest, MarkingAnActionRestoredTouchesOnlyThatAction) {
    auto made = record(kDay);
    made.actions.push_back({platform::Uuid::random(), SweepActionKind::cookieDomain, "y", {}, {}, {}, false});
    (void)prefs.appendSweepRecord(made);
    const auto before = standard.data("sweepLog");
    prefs.markSweepActionRestored(platform::Uuid::random(), made.actions[0].id);
    prefs.markSweepActionRestored(made.id, platform::Uuid::random());
    EXPECT_EQ(standard.data("sweepLog"), before);

    prefs.markSweepActionRestored(made.id, made.actions[1].id);
    auto actions = prefs.sweepLog().front().actions;
    EXPECT_FALSE(actions[0].isRestored);
    EXPECT_TRUE(actions[1].isRestored);
}

TEST_F(UserPreferencesTest, CategoryTotalsAndThePlan) {
    standard.setData("lastScanCategoryTotals", platform::bytesOf(R"({"Trash & Downloads":1.9,"Junk":5,"Xcode":7})"));
    EXPECT_EQ(prefs.lastScanCategoryTotals(),
              (std::map<CategoryType, std::int64_t>{{CategoryType::trash, 1}, {CategoryType::xcode, 7}}));
    prefs.setLastScanCategoryTotals({{CategoryType::privacy, 42}});
    EXPECT_EQ(prefs.lastScanCategoryTotals(), (std::map<CategoryType, std::int64_t>{{CategoryType::privacy, 42}}));

    PersistedSmartCleanupPlan tiny{0.5, 1, {{"Xcode", 1, 0.5}}};
    prefs.setLastSmartCleanupPlan(tiny);
    EXPECT_EQ(prefs.lastSmartCleanupPlan(), tiny);
    EXPECT_FALSE(prefs.hasSmartCleanupPlan());
    prefs.setLastSmartCleanupPlan(PersistedSmartCleanupPlan{2.0, 1, {{"Xcode", 1, 2.0}}});
    EXPECT_TRUE(prefs.hasSmartCleanupPlan());
    prefs.setLastSmartCleanupPlan(std::nullopt);
    EXPECT_FALSE(standard.contains("lastSmartCleanupPlan"));
}

TEST_F(UserPreferencesTest, CategoryFiguresKeepCountsAndDatesBesideTheTotals) {
    const auto scanned = platform::Date::fromTimeIntervalSince1970(1'700'000'000);
    const std::map<CategoryType, StoredCategoryFigures> figures{{CategoryType::trash, {700, 3, scanned}},
                                                                {CategoryType::privacy, {42, 1, std::nullopt}}};
    prefs.setLastScanCategoryFigures(figures);
    EXPECT_EQ(prefs.lastScanCategoryFigures(), figures);
    EXPECT_EQ(prefs.lastScanCategoryTotals(),
              (std::map<CategoryType, std::int64_t>{{CategoryType::trash, 700}, {CategoryType::privacy, 42}}));

    // A missing or damaged field is unknown; the sizes stay readable.
    standard.setData("lastScanCategoryDetails",
                     platform::bytesOf(R"({"Trash & Downloads":{"items":"three","scannedAt":1.7e9},"Privacy":7})"));
    const std::map<CategoryType, StoredCategoryFigures> damaged{{CategoryType::trash, {700, std::nullopt, scanned}},
                                                                {CategoryType::privacy, {42}}};
    EXPECT_EQ(prefs.lastScanCategoryFigures(), damaged);
    // Sizes stored alone (as earlier versions did) drop the counts that described other sizes.
    prefs.setLastScanCategoryTotals({{CategoryType::trash, 900}});
    EXPECT_EQ(prefs.lastScanCategoryFigures(), (std::map<CategoryType, StoredCategoryFigures>{{CategoryType::trash, {900}}}));
}

TEST(UserPreferencesFileTest, EveryStoredListAndValueSurvivesAFreshStoreOverTheSameFile) {
    testing::TempDir dir;
    testing::FakeClock clock;
    const auto standardFile = dir / "standard.json", suiteFile = dir / "suite.json";
    SweepRecord record{platform::Uuid::random(), clock.now(), clock.now().addingTimeInterval(86400),
                       {{platform::Uuid::random(), SweepActionKind::cookieDomain, "Chrome", "3 hosts", "/b", "/o", false}},
                       77};
    auto options = typing::VietIMEOptions::defaultOptions;
    options.toneRule = typing::VietToneRule::modern;
    const PersistedSmartCleanupPlan plan{300.0, 2, {{"Privacy", 2, 300.0}}};
    {
        platform::JsonFileDefaultsStore standard(standardFile), suite(suiteFile);
        SharedEcosystemState shared(&suite, standard);
        UserPreferences prefs(standard, clock, shared);
        prefs.recordCleaning(4096);
        (void)prefs.appendSweepRecord(record);
        prefs.setLastSmartCleanupPlan(plan);
        prefs.setLastScanCategoryTotals({{CategoryType::privacy, 300}});
        prefs.setVietIMEOptions(options);
    }
    platform::JsonFileDefaultsStore standard(standardFile), suite(suiteFile);
    SharedEcosystemState shared(&suite, standard);
    UserPreferences prefs(standard, clock, shared);
    ASSERT_EQ(prefs.cleaningHistory().size(), 1u);
    EXPECT_EQ(prefs.cleaningHistory()[0].freedBytes, 4096);
    EXPECT_EQ(prefs.cleaningHistory()[0].date, clock.now());
    ASSERT_EQ(prefs.sweepLog().size(), 1u);
    EXPECT_EQ(prefs.sweepLog()[0].actions, record.actions);
    EXPECT_EQ(prefs.lastSmartCleanupPlan(), plan);
    EXPECT_EQ(prefs.lastScanCategoryTotals(), (std::map<CategoryType, std::int64_t>{{CategoryType::privacy, 300}}));
    EXPECT_EQ(prefs.vietIMEOptions(), options);
    EXPECT_EQ(standard.real("totalFreedAllTime"), 4096.0);
    EXPECT_EQ(suite.real("eco.lastCleaningFreedBytes"), 4096.0);
}

TEST(SharedEcosystemStateTest, FirstRunMigratesThenSynchronises) {
    testing::InMemoryDefaultsStore standard, suite;
    testing::FakeClock clock;
    standard.setReal("lastScanFoundBytes", 1000.7);
    SharedEcosystemState shared(&suite, standard);
    UserPreferences prefs(standard, clock, shared);

    EXPECT_EQ(suite.value("eco.lastScanFoundBytes"), platform::DefaultsValue(1000.0));
    EXPECT_EQ(suite.value("eco.lastScanItemCount"), platform::DefaultsValue(std::int64_t{0}));
    EXPECT_EQ(suite.real("eco.lastSafeCleanableBytes"), 0.0);
    EXPECT_FALSE(suite.contains("eco.lastScanDate"));
    EXPECT_FALSE(suite.contains("eco.lastCleaningDate"));
    EXPECT_TRUE(suite.boolean("eco.migratedFromStandard"));
    auto totals = storedJson(suite, "eco.lastScanCategoryTotals");
    ASSERT_TRUE(totals);
    EXPECT_EQ(totals->size(), 12u);
    EXPECT_EQ((*totals)["iCloud"], 0.0);
}

TEST(SharedEcosystemStateTest, TheLatestCleanByDateDecidesAndMigrationRunsOnce) {
    testing::InMemoryDefaultsStore standard, suite;
    testing::FakeClock clock;
    auto at = [](double s) { return platform::Date::fromTimeIntervalSinceReferenceDate(s); };
    standard.setData("cleaningHistory",
                     platform::bytesOf(encodeCleaningHistory({{at(300), 50}, {at(100), 70}}).dump()));
    standard.setReal("lastScanDate", 1'700'000'000.0);
    suite.setBool("eco.migratedFromStandard", true);
    suite.setInteger("eco.lastScanItemCount", 9);
    SharedEcosystemState shared(&suite, standard);
    EXPECT_EQ(suite.integer("eco.lastScanItemCount"), 9);  // not copied again
    EXPECT_FALSE(suite.contains("eco.lastScanDate"));

    UserPreferences prefs(standard, clock, shared);
    EXPECT_EQ(suite.real("eco.lastCleaningFreedBytes"), 50.0);
    EXPECT_EQ(suite.real("eco.lastCleaningDate"), at(300).timeIntervalSince1970());
    EXPECT_EQ(suite.real("eco.lastScanDate"), 1'700'000'000.0);

    // A latest clean of nothing removes both keys, even though an older one freed bytes.
    standard.setData("cleaningHistory",
                     platform::bytesOf(encodeCleaningHistory({{at(100), 70}, {at(400), 0}}).dump()));
    shared.syncScanSummary(prefs);
    EXPECT_FALSE(suite.contains("eco.lastCleaningDate"));
    EXPECT_FALSE(suite.contains("eco.lastCleaningFreedBytes"));
}

TEST(SharedEcosystemStateTest, WithoutTheSuiteTheKeysLandInTheAppsOwnDefaults) {
    testing::InMemoryDefaultsStore standard;
    testing::FakeClock clock;
    ::testing::internal::CaptureStdout();
    SharedEcosystemState shared(nullptr, standard);
    const auto printed = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(printed, "[Zentrel] App Group 'group.com.torvane.zentrel' unavailable \u2014 shared state disabled.\n");
    UserPreferences prefs(standard, clock, shared);
    EXPECT_TRUE(standard.contains("eco.lastScanFoundBytes"));
    EXPECT_FALSE(standard.contains("eco.migratedFromStandard"));
}

}  // namespace
}  // namespace zentrel::model
