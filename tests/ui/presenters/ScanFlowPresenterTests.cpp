#include "ui/presenters/CleaningPresenter.hpp"
#include "ui/presenters/MainContentPresenter.hpp"
#include "ui/presenters/ScanProgressPresenter.hpp"

#include "doubles/ScopedDesktopTexts.hpp"
#include "viewmodels/ScanViewModelHarness.hpp"

#include <gtest/gtest.h>

namespace zentrel::ui {
namespace {

using model::CategoryType;
using model::SidebarSelection;
using testing::scannedItem;
using Entry = model::CleaningActivityEntry;
using Status = Entry::Status;
namespace state = model::scan_state;

class ScanFlowPresenterTest : public ::testing::Test {
protected:
    static Entry entry(std::string name, Status status) {
        return {platform::Uuid::random(), std::move(name), CategoryType::devTools, "2 MB", std::move(status)};
    }

    testing::ScanViewModelHarness h;
    std::shared_ptr<viewmodels::ScanViewModel> vm = h.make();
};

TEST_F(ScanFlowPresenterTest, TheWaitingMessageTakesTheFirstThatIsKnown) {
    struct Case {
        model::ScanState scanState;
        std::optional<CategoryType> lazy;
        SidebarSelection page;
        std::string expected;
    };
    const Case cases[] = {
        {state::Scanning{0.3, "Scanning duplicates..."}, CategoryType::trash, SidebarSelection::category(CategoryType::xcode),
         "Scanning duplicates..."},
        {state::Scanning{0.3, ""}, CategoryType::trash, SidebarSelection::category(CategoryType::xcode), "Scanning Trash..."},
        {state::Scanning{}, std::nullopt, SidebarSelection::category(CategoryType::xcode), "Scanning Xcode..."},
        {state::Idle{}, std::nullopt, SidebarSelection::overview(), "Scanning\u2026"},
    };
    for (const auto& c : cases) {
        vm->scanState.set(c.scanState);
        vm->lazyScanningCategory.set(c.lazy);
        vm->sidebarSelection.set(c.page);
        EXPECT_EQ(categoryWaitingProgress(*vm).message, c.expected);
    }
    EXPECT_EQ(scanningProgress(*vm), ScanProgress{}) << "no scan: an empty bar and no text";
}

TEST_F(ScanFlowPresenterTest, TheCleaningPageCountsFinishedRowsAndFollowsTheLastInProgress) {
    vm->scanState.set(state::Cleaning{0.5});
    vm->cleaningTotalCount.set(5);
    vm->cleaningActivity.set({entry("a", Status::deleted()), entry("b", Status::failed("locked")),
                              entry("c", Status::inProgress()), entry("d", Status::inProgress()),
                              entry("e", Status::pending())});
    const auto summary = cleaningSummary(*vm);
    EXPECT_EQ(summary.countLine, "2 of 5 items");
    EXPECT_DOUBLE_EQ(summary.progress, 0.5);
    ASSERT_TRUE(summary.current);
    EXPECT_EQ(summary.current->name, "d");
    EXPECT_EQ(summary.current->category, "Developer Caches");
    EXPECT_EQ(summary.failureLine, "1 item(s) could not be deleted");

    vm->cleaningActivity.set({});
    vm->scanState.set(state::Done{});
    const auto empty = cleaningSummary(*vm);
    EXPECT_EQ(empty.countLine, "0 of 5 items") << "shown whenever the total is known";
    EXPECT_FALSE(empty.current);
    EXPECT_FALSE(empty.failureLine);
    EXPECT_DOUBLE_EQ(empty.progress, 0.0);
}

TEST_F(ScanFlowPresenterTest, ActivityRowsSayTheirStatus) {
    struct Case {
        Status status;
        std::string symbol;
        ActivityTone tone;
        std::optional<std::string> message;
        std::string label;
    };
    const Case cases[] = {
        {Status::pending(), "circle", ActivityTone::secondary, {}, "Waiting. npm, Developer Caches, 2 MB"},
        {Status::inProgress(), "", ActivityTone::primary, {}, "Deleting. npm, Developer Caches, 2 MB"},
        {Status::deleted(), "checkmark.circle.fill", ActivityTone::secondary, {}, "Deleted. npm, Developer Caches, 2 MB"},
        {Status::failed("busy"), "xmark.circle.fill", ActivityTone::danger, "busy",
         "Could not delete: busy. npm, Developer Caches, 2 MB"},
        {Status::failed(""), "xmark.circle.fill", ActivityTone::danger, {},
         "Could not delete: . npm, Developer Caches, 2 MB"},
    };
    for (const auto& c : cases) {
        const auto row = activityRow(entry("npm", c.status), model::ViewMode::recommended);
        EXPECT_EQ(row.symbol, c.symbol);
        EXPECT_EQ(row.nameTone, c.tone);
        EXPECT_EQ(row.message, c.message);
        EXPECT_EQ(row.accessibleLabel, c.label);
    }
}

TEST_F(ScanFlowPresenterTest, TryAgainRescansTheCategoryOnItsPageAndScansEverythingElsewhere) {
    vm->scanState.set(state::Error{"disk gone"});
    vm->failedDeletionKeys.set({"/h/a"});
    vm->sidebarSelection.set(SidebarSelection::category(CategoryType::trash));
    tryAgain(*vm);
    ASSERT_EQ(h.engine.categoryScans.size(), 1u);
    EXPECT_EQ(h.engine.categoryScans.back().category, CategoryType::trash);
    EXPECT_FALSE(vm->failedDeletionKeys().empty());
    EXPECT_TRUE(h.engine.fullScans.empty());

    vm->resetScan(false);
    vm->scanState.set(state::Error{"disk gone"});
    vm->sidebarSelection.set(SidebarSelection::smartCleanup());
    tryAgain(*vm);
    EXPECT_EQ(h.engine.fullScans.size(), 1u);
    EXPECT_TRUE(vm->failedDeletionKeys().empty()) << "a full scan starts without the old failures";
}

TEST_F(ScanFlowPresenterTest, DoneLeavesOnlyTheCleanedState) {
    vm->scanState.set(state::Scanning{});
    finishCleaned(*vm);
    EXPECT_EQ(vm->scanState(), model::ScanState{state::Scanning{}});
    vm->scanState.set(state::Cleaned{5});
    finishCleaned(*vm);
    EXPECT_EQ(vm->scanState(), model::ScanState{state::Done{}});
}

TEST_F(ScanFlowPresenterTest, AllCleanOnlyWhenNothingIsLeft) {
    const testing::ScopedDesktopTexts english;
    struct Case {
        std::int64_t left;
        std::string title;
        std::optional<std::string> leftText;
        std::string accessible;
    };
    const std::vector<Case> cases{
        {0, "All Clean!", std::nullopt, "All clean. 2 MB freed."},
        {4'800'000, "Cleaned", "4.8 MB still to clean", "Cleaned. 2 MB freed, 4.8 MB still to clean."},
    };
    for (const auto& c : cases) {
        const auto page = cleanedPage(2'000'000, c.left);
        EXPECT_EQ(page.title, c.title);
        EXPECT_EQ(page.freedText, "2 MB freed");
        EXPECT_EQ(page.leftText, c.leftText);
        EXPECT_EQ(page.accessibleLabel, c.accessible);
    }
}

// Tracker cookies free no space: a clean of them says how many it removed.
TEST_F(ScanFlowPresenterTest, TheResultCountsTheTrackerCookiesItRemovedApartFromTheSpaceFreed) {
    const testing::ScopedDesktopTexts english;
    struct Case {
        std::int64_t freed, left, cookies;
        std::string shown, spoken;
    };
    const std::vector<Case> cases{
        {0, 0, 12, "12 tracker cookies removed", "All clean. 12 tracker cookies removed."},
        {2'000'000, 0, 1, "2 MB freed and 1 tracker cookie removed", "All clean. 2 MB freed and 1 tracker cookie removed."},
        {2'000'000, 4'800'000, 3, "2 MB freed and 3 tracker cookies removed",
         "Cleaned. 2 MB freed and 3 tracker cookies removed, 4.8 MB still to clean."},
    };
    for (const auto& c : cases) {
        const auto page = cleanedPage(c.freed, c.left, c.cookies);
        EXPECT_EQ(page.freedText, c.shown);
        EXPECT_EQ(page.accessibleLabel, c.spoken);
    }
}

TEST_F(ScanFlowPresenterTest, ACategoryKnownOnlyFromStoredTotalsInvitesAScan) {
    h.standard.setInteger("lastScanItemCount", 3);
    h.prefs.setLastScanCategoryTotals({{CategoryType::trash, 4000}});
    auto restored = h.make();
    restored->sidebarSelection.set(SidebarSelection::category(CategoryType::trash));
    EXPECT_EQ(detailRoute(*restored).kind, DetailRoute::Kind::categoryPrompt);

    restored->resetScan(true);
    h.scanTo(*restored, {scannedItem("/h/.Trash/a", CategoryType::trash, 10)});
    EXPECT_EQ(detailRoute(*restored).kind, DetailRoute::Kind::results);
    restored->sidebarSelection.set(SidebarSelection::category(CategoryType::xcode));
    EXPECT_EQ(detailRoute(*restored).kind, DetailRoute::Kind::results) << "scanned and clean";
}

}  // namespace
}  // namespace zentrel::ui
