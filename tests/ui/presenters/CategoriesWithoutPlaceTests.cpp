#include "ui/presenters/MenuBarActions.hpp"
#include "ui/presenters/MenuBarPresenter.hpp"
#include "ui/presenters/OnboardingPresenter.hpp"
#include "ui/presenters/OverviewPresenter.hpp"
#include "ui/presenters/SidebarPresenter.hpp"

#include "viewmodels/ScanViewModelHarness.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace zentrel::ui {
namespace {

using model::CategoryType;
using testing::scannedItem;

// What a Linux desktop's host table has a place for: no Xcode, device backups or iCloud.
const std::vector<CategoryType> kDesktopCategories = {
    CategoryType::devTools,   CategoryType::devProjects, CategoryType::appCaches, CategoryType::systemCaches,
    CategoryType::trash,      CategoryType::largeFiles,  CategoryType::duplicates, CategoryType::privacy,
    CategoryType::startup};
const CategoryType kHidden[] = {CategoryType::xcode, CategoryType::iosBackups, CategoryType::icloud};

class CategoriesWithoutPlaceTest : public ::testing::Test {
protected:
    CategoriesWithoutPlaceTest() {
        harness.engine.shownCategories = kDesktopCategories;
        // An earlier run (or another layout) stored totals for every category.
        std::map<CategoryType, std::int64_t> totals;
        for (auto category : model::kAllCategories) totals[category] = 1'000'000;
        totals[CategoryType::xcode] = 90'000'000;
        totals[CategoryType::iosBackups] = 80'000'000;
        harness.prefs.setLastScanCategoryTotals(totals);
        harness.standard.setInteger("lastScanItemCount", 12);
        harness.standard.setReal("lastSafeCleanableBytes", 1'000'000.0);
        // The view in which every stored total counts.
        harness.prefs.setViewMode(model::ViewMode::advanced);
    }

    static bool hidden(CategoryType category) { return std::ranges::find(kHidden, category) != std::end(kHidden); }

    testing::ScanViewModelHarness harness;
};

TEST_F(CategoriesWithoutPlaceTest, SidebarTilesAndPopoverNeverShowThem) {
    auto vm = harness.make();
    EXPECT_EQ(vm->categories(), kDesktopCategories);
    const auto clean = sidebarCleanCategories(*vm);
    EXPECT_EQ(clean.size(), 7u);
    EXPECT_TRUE(std::ranges::none_of(clean, hidden));
    EXPECT_EQ(sidebarOptimizeCategories(*vm), (std::vector{CategoryType::startup, CategoryType::privacy}));
    for (const auto& tile : topCategories(*vm)) EXPECT_FALSE(hidden(tile.category));
    for (const auto& row : popoverTopCategories(*vm)) EXPECT_FALSE(hidden(row.category));
    EXPECT_FALSE(vm->scannedCategories().contains(CategoryType::xcode));
}

TEST_F(CategoriesWithoutPlaceTest, AScanNeitherAsksForNorMarksThem) {
    auto vm = harness.make();
    vm->scanCategory(CategoryType::icloud, true);
    EXPECT_TRUE(harness.engine.categoryScans.empty());
    vm->resetScan(true);
    harness.scanTo(*vm, {scannedItem("/h/.cache/a", CategoryType::appCaches, 50)});
    for (auto category : kHidden) EXPECT_FALSE(vm->scannedCategories().contains(category));
    EXPECT_TRUE(vm->scannedCategories().contains(CategoryType::appCaches));
}

TEST_F(CategoriesWithoutPlaceTest, ReviewFirstOpensTheFirstCategoryShown) {
    auto vm = harness.make();
    MenuBarActions actions{*vm, [] {}};
    vm->resetScan(true);
    harness.scanTo(*vm, {scannedItem("/h/.cache/a", CategoryType::appCaches, 50)});
    const auto question = actions.quickClean();
    ASSERT_TRUE(question);
    actions.answer(*question, QuickCleanAnswer::reviewFirst);
    EXPECT_EQ(vm->sidebarSelection(), model::SidebarSelection::category(CategoryType::devTools));
}

TEST_F(CategoriesWithoutPlaceTest, OnboardingNamesOnlyCategoriesShown) {
    const auto texts = [](const std::vector<OnboardingRow>& rows) {
        std::string all;
        for (const auto& row : rows) all += std::string(row.title) + " " + row.detail + "\n";
        return all;
    };
    for (const auto& all : {texts(welcomeRows(kDesktopCategories)), texts(safetyRows(kDesktopCategories))}) {
        EXPECT_EQ(all.find("Xcode"), std::string::npos) << all;
        EXPECT_EQ(all.find("iOS"), std::string::npos) << all;
        EXPECT_EQ(all.find("simulators"), std::string::npos) << all;
    }
    // The macOS layout keeps its rows.
    const std::vector<CategoryType> twelve(model::kAllCategories.begin(), model::kAllCategories.end());
    EXPECT_NE(texts(safetyRows(twelve)).find("Xcode & dev tools"), std::string::npos);
    EXPECT_NE(texts(welcomeRows(twelve)).find("iOS backups"), std::string::npos);
}

TEST_F(CategoriesWithoutPlaceTest, TheMacLayoutKeepsAllTwelve) {
    harness.engine.shownCategories.reset();
    auto vm = harness.make();
    EXPECT_EQ(sidebarCleanCategories(*vm).size(), 10u);
    const auto tiles = topCategories(*vm);
    ASSERT_FALSE(tiles.empty());
    EXPECT_EQ(tiles.front().category, CategoryType::xcode);
}

}  // namespace
}  // namespace zentrel::ui
