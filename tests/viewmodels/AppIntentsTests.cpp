#include "viewmodels/AppIntents.hpp"

#include "ScanViewModelHarness.hpp"

#include <gtest/gtest.h>

namespace zentrel::viewmodels {
namespace {

using model::CategoryType;
using testing::scannedItem;

class AppIntentsTest : public ::testing::Test {
protected:
    testing::ScanViewModelHarness h;
    IntentBridge bridge;
};

TEST_F(AppIntentsTest, FreeUpSpaceHeldUntilRegistrationCleansOnlyTheRecommendedItems) {
    auto vm = h.make();
    vm->startScan(false, true, false, false);
    auto review = scannedItem("/h/Downloads/big.iso", CategoryType::largeFiles, 9000, false);
    review.isSelected = true;
    h.engine.fullScans.back().done({scannedItem("/h/Library/Caches/a", CategoryType::systemCaches, 3000), review});

    FreeUpSpaceIntent{}.perform(bridge);
    EXPECT_TRUE(h.engine.cleans.empty()) << "held until the window registers the view model";
    bridge.registerViewModel(vm);
    ASSERT_EQ(h.engine.cleans.size(), 1u);
    ASSERT_EQ(h.engine.cleans[0].items.size(), 1u) << "the selection is replaced, not extended";
    EXPECT_EQ(h.engine.cleans[0].items[0].path, "/h/Library/Caches/a");
}

TEST_F(AppIntentsTest, FreeUpSpaceWithoutItemsScansOnlyWhenALastScanIsKnown) {
    h.standard.setReal("lastSafeCleanableBytes", 5000);
    h.standard.setInteger("lastScanItemCount", 0);
    auto vm = h.make();
    bridge.registerViewModel(vm);
    FreeUpSpaceIntent{}.perform(bridge);
    EXPECT_TRUE(h.engine.fullScans.empty());

    h.standard.setInteger("lastScanItemCount", 2);
    FreeUpSpaceIntent{}.perform(bridge);
    ASSERT_EQ(h.engine.fullScans.size(), 1u);
    h.engine.fullScans.back().done({scannedItem("/h/Library/Caches/a", CategoryType::systemCaches, 3000)});
    EXPECT_EQ(h.engine.cleans.size(), 1u) << "the clean follows the scan";
}

TEST_F(AppIntentsTest, SmartCleanupAndScanCategoryMoveTheSidebar) {
    auto vm = h.make();
    bridge.registerViewModel(vm);
    int changes = 0;
    auto watch = vm->sidebarSelection.observe([&](const model::SidebarSelection&) { ++changes; });
    SmartCleanupIntent{}.perform(bridge);
    SmartCleanupIntent{}.perform(bridge);
    EXPECT_EQ(vm->sidebarSelection(), model::SidebarSelection::smartCleanup());
    EXPECT_EQ(changes, 1) << "an unchanged selection is not announced again";
    EXPECT_TRUE(h.engine.fullScans.empty()) << "no items and no stored plan: nothing to do";

    ScanCategoryIntent{ScanCategoryChoice::icloud}.perform(bridge);
    EXPECT_EQ(vm->sidebarSelection(), model::SidebarSelection::category(CategoryType::icloud));
    EXPECT_TRUE(h.engine.categoryScans.empty()) << "opening the category is what scans it";
}

TEST(AppIntentsTablesTest, ChoicesAndShortcutsAreTheSystemsOwn) {
    ASSERT_EQ(scanCategoryChoices().size(), 12u);
    for (std::size_t i = 0; i < 12; ++i) {
        EXPECT_EQ(categoryType(scanCategoryChoices()[i].choice), model::kAllCategories[i]);
    }
    EXPECT_EQ(scanCategoryChoiceFromRaw("startup"), ScanCategoryChoice::startup);
    EXPECT_EQ(scanCategoryChoiceFromRaw("Startup Items"), std::nullopt);
    const auto shortcuts = zentrelShortcuts("Zentrel");
    ASSERT_EQ(shortcuts.size(), 3u);
    EXPECT_EQ(shortcuts[1].phrases,
              (std::vector<std::string>{"Free up space with Zentrel", "Giải phóng dung lượng với Zentrel"}));
    EXPECT_EQ(shortcuts[2].systemImageName, "magnifyingglass");
}

}  // namespace
}  // namespace zentrel::viewmodels
