// Every place that names a category uses the same name, the one of the view mode.
#include "ui/presenters/CleaningPresenter.hpp"
#include "ui/presenters/MainContentPresenter.hpp"
#include "ui/presenters/MenuBarPresenter.hpp"
#include "ui/presenters/OverviewPresenter.hpp"
#include "ui/presenters/ScanProgressPresenter.hpp"

#include "viewmodels/ScanViewModelHarness.hpp"

#include <gtest/gtest.h>

namespace zentrel::ui {
namespace {

using model::CategoryType;
using model::SidebarSelection;
using model::ViewMode;
using testing::scannedItem;

class CategoryNamesTest : public ::testing::Test {
protected:
    testing::ScanViewModelHarness harness;
    std::shared_ptr<viewmodels::ScanViewModel> vm = harness.make();

    // The names the page title, the overview card, the popover, the scan
    // prompt, the cleaning rows, the confirmation and the report give the category.
    std::vector<std::string> namesOf(CategoryType category) {
        vm->sidebarSelection.set(SidebarSelection::category(category));
        const auto mode = vm->prefs().viewMode();
        std::vector<std::string> names{navigationTitle(*vm), categoryScanPrompt(*vm, category, "en").title,
                                       activityRow({{}, "a", category, "1 KB", {}}, mode).category};
        for (const auto& tile : topCategories(*vm))
            if (tile.category == category) names.push_back(tile.label);
        for (const auto& row : popoverCategoryRows(*vm))
            if (row.category == category) names.push_back(row.title);
        const auto message = cleanConfirmation(*vm).message;
        const auto start = message.find(" in ") + 4;
        names.push_back(message.substr(start, message.find(" will be deleted") - start));
        const auto report = vm->exportReport();
        const auto line = report.find(" \u2014 ");
        const auto lineStart = report.rfind('\n', line) + 1;
        names.push_back(report.substr(lineStart, line - lineStart));
        return names;
    }
};

TEST_F(CategoryNamesTest, EachCategoryHasOneNameInTheViewModeEverywhere) {
    harness.scanTo(*vm, {scannedItem("/h/.cache/thumbnails/a", CategoryType::systemCaches, 4096)});
    vm->scanState.set(model::scan_state::Done{});
    const struct {
        ViewMode mode;
        std::string name;
    } cases[] = {{ViewMode::recommended, "System Junk"}, {ViewMode::advanced, "System Caches"}};
    for (const auto& c : cases) {
        vm->prefs().setViewMode(c.mode);
        const auto names = namesOf(CategoryType::systemCaches);
        ASSERT_EQ(names.size(), 7u);
        for (const auto& name : names) EXPECT_EQ(name, c.name);
    }
}

TEST_F(CategoryNamesTest, OnlyAChangedModeIsAnnounced) {
    std::vector<ViewMode> announced;
    auto watch = vm->prefs().viewModeChanged.subscribe([&](ViewMode mode) { announced.push_back(mode); });
    vm->prefs().setViewMode(ViewMode::recommended);
    vm->prefs().setViewMode(ViewMode::advanced);
    vm->prefs().setViewMode(ViewMode::advanced);
    EXPECT_EQ(announced, std::vector{ViewMode::advanced});
    EXPECT_EQ(harness.standard.string("viewMode"), "advanced");
}

}  // namespace
}  // namespace zentrel::ui
