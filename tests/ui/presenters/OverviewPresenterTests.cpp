#include "ui/presenters/OverviewPresenter.hpp"

#include "viewmodels/ScanViewModelHarness.hpp"

#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

namespace zentrel::ui {
namespace {

using model::CategoryType;
using testing::scannedItem;
namespace state = model::scan_state;

class OverviewPresenterTest : public ::testing::Test {
protected:
    testing::ScanViewModelHarness h;
    std::shared_ptr<viewmodels::ScanViewModel> vm = h.make();
};

TEST_F(OverviewPresenterTest, AFreshInstallShowsOnlyTheHeroWithFullScan) {
    EXPECT_FALSE(backgroundScanBanner(*vm));
    EXPECT_FALSE(cleanFailureBanner(*vm));
    EXPECT_TRUE(topCategories(*vm).empty());
    EXPECT_FALSE(cleaningHistory(h.prefs.cleaningHistory(), h.clock.now(), "en"));
    const auto hero = heroCard(*vm, std::nullopt);
    EXPECT_EQ(hero.button, HeroButton::fullScan);
    EXPECT_EQ(hero.buttonTitle, "Full Scan");
    EXPECT_EQ(hero.statusText,
              "Scan your Mac to discover junk files, caches, and other items you can safely remove.");
    EXPECT_EQ(hero.ringLabel, "0%");
    EXPECT_TRUE(hero.freeText.empty());

    EXPECT_EQ(pressHeroButton(*vm), HeroOutcome::scanStarted);
    EXPECT_EQ(h.engine.fullScans.size(), 1u);
}

TEST_F(OverviewPresenterTest, StatisticsOfAnEarlierVersionGiveTilesWithoutCountsAndAButtonThatScans) {
    h.prefs.setViewMode(model::ViewMode::advanced);
    h.standard.setInteger("lastScanItemCount", 40);
    h.prefs.setLastScanCategoryTotals({{CategoryType::trash, 3'000'000'000},
                                       {CategoryType::xcode, 5'000'000'000},
                                       {CategoryType::appCaches, 500'000'000},
                                       {CategoryType::largeFiles, 500'000'001}});
    h.prefs.setLastSmartCleanupPlan(model::PersistedSmartCleanupPlan{2e9, 7, {{"Trash & Downloads", 7, 2e9}}});
    auto restored = h.make();

    const auto tiles = topCategories(*restored);
    ASSERT_EQ(tiles.size(), 3u);
    EXPECT_EQ(tiles[0].category, CategoryType::xcode);
    EXPECT_EQ(tiles[2].category, CategoryType::largeFiles);
    EXPECT_EQ(tiles[0].caption, "From the last scan") << "no count was stored";
    EXPECT_EQ(tiles[0].value, "5 GB");

    const auto hero = heroCard(*restored, std::nullopt);
    EXPECT_EQ(hero.button, HeroButton::smartCleanup);
    EXPECT_EQ(hero.buttonTitle, "Smart Cleanup \u2014 free up 2 GB") << "the stored plan";
    EXPECT_EQ(hero.statusText, "Zentrel can free up 9 GB");
    EXPECT_EQ(pressHeroButton(*restored), HeroOutcome::scanStarted) << "no confirmation of nothing";
    EXPECT_EQ(h.engine.fullScans.size(), 1u);
}

TEST_F(OverviewPresenterTest, TheDuplicatesTileSaysWhereTheWalkStoppedEarly) {
    auto copy = scannedItem("/h/Downloads/a.pdf", CategoryType::duplicates, 9000);
    const std::vector<model::CleanItem> items{copy, scannedItem("/h/.Trash/x", CategoryType::trash, 5000)};
    h.engine.walkStop = scanners::CandidateLimitStop{5000, "/h/Documents/x.pdf", {"/h/Desktop"}};
    h.scanTo(*vm, items);
    auto tiles = topCategories(*vm);
    ASSERT_EQ(tiles.size(), 2u);
    ASSERT_EQ(tiles[0].category, CategoryType::duplicates);
    ASSERT_TRUE(tiles[0].notice);
    EXPECT_EQ(tiles[0].notice->line, "Stopped early at /h/Documents/x.pdf");
    EXPECT_EQ(tiles[0].notice->detail,
              "Stopped early: the limit of 5,000 files to compare was reached at /h/Documents/x.pdf; files from there "
              "on were not compared. Not reached: /h/Desktop.");
    EXPECT_FALSE(tiles[1].notice) << "only the Duplicates figure comes from the walk";

    h.engine.walkStop.reset();
    h.scanTo(*vm, items);
    EXPECT_FALSE(topCategories(*vm)[0].notice);

    h.engine.cappedSizes = {{200'000, 13, 12}, {300'000, 15, 12}};
    h.scanTo(*vm, items);
    ASSERT_TRUE(topCategories(*vm)[0].notice) << "files left uncompared in a shared size are said too";
    EXPECT_EQ(topCategories(*vm)[0].notice->line, "4 files not compared");
}

TEST_F(OverviewPresenterTest, BannersFollowTheBackgroundScanAndTheFailures) {
    vm->startScan(true, false, false, false);
    h.engine.fullScans.back().progress(0.4, "Scanning Trash...");
    const auto banner = backgroundScanBanner(*vm);
    ASSERT_TRUE(banner);
    EXPECT_DOUBLE_EQ(banner->progress, 0.4);
    EXPECT_EQ(banner->caption, "Scanning Trash...");
    const auto hero = heroCard(*vm, std::nullopt);
    EXPECT_EQ(hero.button, HeroButton::none);
    EXPECT_EQ(hero.statusText, "Scanning Trash...");

    vm->failedDeletionKeys.set({"/h/a", "/h/b"});
    EXPECT_EQ(cleanFailureBanner(*vm)->title, "2 item(s) could not be deleted");
}

TEST(DiskInfoTest, UsageColoursAndTheRingStayWithinTheirBounds) {
    struct Case {
        std::int64_t total;
        std::int64_t free;
        UsageColor color;
        int percent;
    };
    const Case cases[] = {
        {100, 31, UsageColor::accent, 69},  {100, 30, UsageColor::review, 70}, {100, 16, UsageColor::review, 84},
        {100, 15, UsageColor::danger, 85},  {100, 0, UsageColor::danger, 100}, {0, 0, UsageColor::accent, 0},
        {100, 150, UsageColor::danger, 0},  {100, -20, UsageColor::danger, 100},
    };
    for (const auto& c : cases) {
        const DiskInfo disk{c.total, c.free};
        EXPECT_EQ(disk.usageColor(), c.color) << c.total << "/" << c.free;
        EXPECT_EQ(disk.usedPercent(), c.percent) << c.total << "/" << c.free;
    }
    testing::TempDir folder;
    const auto volume = DiskInfo::current(folder.path().string());
    ASSERT_TRUE(volume);
    EXPECT_GT(volume->totalBytes, 0);
    EXPECT_FALSE(DiskInfo::current((folder / "missing").string()));
}

TEST(CleaningHistoryTest, ShowsTheLastEightBarsScaledToTheLargestAndTotalsEveryRecord) {
    const auto now = platform::Date::fromTimeIntervalSince1970(1'700'000'000);
    std::vector<model::CleaningRecord> history;
    for (int i = 0; i < 10; ++i) history.push_back({now.addingTimeInterval(-86400.0 * (10 - i)), 1'000'000});
    history[9].freedBytes = 4'000'000;
    history[8].freedBytes = 0;
    const auto card = cleaningHistory(history, now, "en", "UTC");
    ASSERT_TRUE(card);
    EXPECT_EQ(card->totalText, "Total 12 MB");
    ASSERT_EQ(card->columns.size(), kHistoryColumns);
    EXPECT_DOUBLE_EQ(card->columns[7].barHeight, 120.0);
    EXPECT_DOUBLE_EQ(card->columns[0].barHeight, 30.0);
    EXPECT_DOUBLE_EQ(card->columns[6].barHeight, 8.0) << "never thinner than 8";
    EXPECT_EQ(card->columns[7].dateText, "1 day ago");
    EXPECT_EQ(card->columns[7].helpText, "4 MB \u2022 Nov 13, 2023");

    const auto nothingFreed = cleaningHistory({{now, 0}}, now, "en", "UTC");
    EXPECT_DOUBLE_EQ(nothingFreed->columns[0].barHeight, 8.0);
    EXPECT_EQ(nothingFreed->columns[0].dateText, "just now") << "a moment ago, not \"now\"";
}

}  // namespace
}  // namespace zentrel::ui
