#include "viewmodels/SmartCleanupPlan.hpp"

#include "ScanViewModelHarness.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace zentrel::viewmodels {
namespace {

using model::CategoryType;
using testing::scannedItem;

TEST(SmartCleanupPlanTest, TrackerCookiesAreCountedPerCategory) {
    const auto tracker = [](std::string store, std::vector<std::string> hosts) {
        auto item = scannedItem(store, CategoryType::privacy, 0);
        item.privacyDomains = hosts;
        item.deletionMethod = model::DeletionMethod::clearTrackerCookies(store, hosts, model::BrowserKind::chrome);
        return item;
    };
    const auto plan = SmartCleanupPlan::fromItems(
        {tracker("/h/a/Cookies", {"x.com", "y.com"}), tracker("/h/b/Cookies", {"z.com"}),
         scannedItem("/h/.Trash/a", CategoryType::trash, 10)});
    ASSERT_EQ(plan.categories.size(), 2u);
    EXPECT_EQ(plan.categories[1], (SmartCleanupPlan::CategorySummary{CategoryType::privacy, 2, 0, 3}));
    EXPECT_EQ(plan.trackerCookies, 3);
}

TEST(SmartCleanupPlanTest, BuiltFromTheSafeRecommendedItemsLargestFirst) {
    EXPECT_EQ(SmartCleanupPlan::fromItems({}).totalBytes, 0);
    auto reviewOnly = scannedItem("/h/r", CategoryType::largeFiles, 50, false);
    auto safeNotRecommended = scannedItem("/h/s", CategoryType::trash, 70);
    safeNotRecommended.isRecommended = false;
    const auto firstFive = scannedItem("/h/a", CategoryType::trash, 5);
    const auto nine = scannedItem("/h/b", CategoryType::trash, 9);
    const auto secondFive = scannedItem("/h/c", CategoryType::trash, 5);
    const auto empty = scannedItem("/h/z", CategoryType::xcode, 0);
    const auto big = scannedItem("/h/x", CategoryType::systemCaches, 300);

    const auto plan = SmartCleanupPlan::fromItems({reviewOnly, firstFive, safeNotRecommended, nine, secondFive, empty, big});
    ASSERT_EQ(plan.items.size(), 5u);
    EXPECT_EQ(plan.items[0].path, "/h/x");
    EXPECT_EQ(plan.items[1].path, "/h/b");
    EXPECT_EQ(plan.items[2].path, "/h/a") << "equal sizes keep the scan's order";
    EXPECT_EQ(plan.items[3].path, "/h/c");
    EXPECT_EQ(plan.totalBytes, 319);
    EXPECT_FALSE(plan.isSummaryOnly);
    ASSERT_EQ(plan.categories.size(), 3u);
    EXPECT_EQ(plan.categories[0], (SmartCleanupPlan::CategorySummary{CategoryType::systemCaches, 1, 300}));
    EXPECT_EQ(plan.categories[1], (SmartCleanupPlan::CategorySummary{CategoryType::trash, 3, 19}));
    EXPECT_EQ(plan.categories[2], (SmartCleanupPlan::CategorySummary{CategoryType::xcode, 1, 0}))
        << "an empty item still counts";
}

TEST(SmartCleanupPlanTest, RestoredFromTheStoredPlanAsASummary) {
    model::PersistedSmartCleanupPlan stored;
    stored.totalBytes = 1536.9;
    stored.categories = {{"Xcode", 2, 1000.7}, {"xcode", 1, 10}, {"Trash & Downloads", 1, 500}};
    const auto plan = SmartCleanupPlan::fromPersisted(stored);
    EXPECT_TRUE(plan.isSummaryOnly);
    EXPECT_TRUE(plan.items.empty());
    EXPECT_EQ(plan.totalBytes, 1536);
    EXPECT_EQ(plan.categories, (std::vector<SmartCleanupPlan::CategorySummary>{{CategoryType::xcode, 2, 1000},
                                                                               {CategoryType::trash, 1, 500}}));
    stored.totalBytes = std::nan("");
    stored.categories.clear();
    EXPECT_EQ(SmartCleanupPlan::fromPersisted(stored).totalBytes, 0);
}

}  // namespace
}  // namespace zentrel::viewmodels
