#include "ui/presenters/MenuBarActions.hpp"
#include "ui/presenters/MenuBarPresenter.hpp"
#include "ui/presenters/PopoverPlacement.hpp"

#include "platform/text/DesktopTexts.hpp"
#include "platform/text/RelativeDateFormatter.hpp"
#include "viewmodels/ScanViewModelHarness.hpp"

#include <gtest/gtest.h>

namespace zentrel::ui {
namespace {

using model::CategoryType;
using model::SidebarSelection;
using testing::scannedItem;
namespace state = model::scan_state;

class MenuBarPresenterTest : public ::testing::Test {
protected:
    void load(std::vector<model::CleanItem> items) {
        harness.scanTo(*vm, std::move(items));
        vm->scanState.set(state::Done{});
    }
    // Figures of an earlier run, with nothing loaded.
    void storeLastRun(std::int64_t safeBytes, std::int64_t items) {
        harness.standard.setReal("lastSafeCleanableBytes", static_cast<double>(safeBytes));
        harness.standard.setInteger("lastScanItemCount", items);
    }
    std::vector<MenuBarAction> actionsShown() const {
        std::vector<MenuBarAction> shown;
        for (const auto& button : menuBarButtons(*vm)) shown.push_back(button.action);
        return shown;
    }

    testing::ScanViewModelHarness harness;
    std::shared_ptr<viewmodels::ScanViewModel> vm = harness.make();
    int windowOpened = 0;
    MenuBarActions actions{*vm, [this] { ++windowOpened; }};
};

TEST_F(MenuBarPresenterTest, TopCategoriesAreTheTwoLargestWithTiesInCategoryOrder) {
    load({scannedItem("/h/big.iso", CategoryType::largeFiles, 50),
          scannedItem("/h/.cache/a", CategoryType::appCaches, 50), scannedItem("/h/.Trash/b", CategoryType::trash, 70),
          scannedItem("/h/.npm/c", CategoryType::devTools, 10)});
    EXPECT_EQ(popoverTopCategories(*vm),
              (std::vector<CategorySize>{{CategoryType::trash, 70}, {CategoryType::appCaches, 50}}));

    // After a restart the stored totals stand in for the result.
    auto restarted = harness.make();
    ASSERT_TRUE(restarted->result().items.empty());
    const auto rows = popoverCategoryRows(*restarted);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].category, CategoryType::trash);
    EXPECT_EQ(rows[0].hint, "Opens Trash & Old Files in the main window.");
}

TEST_F(MenuBarPresenterTest, NothingScannedShowsNoCategoriesAndNoQuickClean) {
    EXPECT_TRUE(popoverTopCategories(*vm).empty());
    EXPECT_EQ(actionsShown(), (std::vector<MenuBarAction>{MenuBarAction::scanNow, MenuBarAction::calmDown,
                                                          MenuBarAction::boost, MenuBarAction::uninstall,
                                                          MenuBarAction::openZentrel, MenuBarAction::quit}));
}

TEST_F(MenuBarPresenterTest, QuickCleanNamesTheSafeSizeOfTheResultOrOfTheStoredRun) {
    storeLastRun(5'000'000, 3);
    EXPECT_EQ(menuBarButtons(*vm)[1].title, "Quick Clean (5 MB)");
    load({scannedItem("/h/.Trash/a", CategoryType::trash, 2'000'000),
          scannedItem("/h/big.iso", CategoryType::largeFiles, 9'000'000, false)});
    EXPECT_EQ(menuBarButtons(*vm)[1].title, "Quick Clean (2 MB)");
}

TEST_F(MenuBarPresenterTest, LastActivityIsTheLatestCleaningThenTheScanSummary) {
    const auto now = harness.clock.now();
    const auto hourAgo = now.addingTimeInterval(-3600);
    const auto dayAgo = now.addingTimeInterval(-86400);
    const auto cleaned = [&](const char* size, platform::Date date) {
        return "Cleaned " + std::string(size) + " \u00B7 " + platform::formatRelativeFull(date, now, "en");
    };
    const std::string summary =
        "Last scan " + platform::formatRelativeAbbreviated(dayAgo, now, "en") + " \u00B7 found 7 MB";
    struct Case {
        const char* name;
        std::vector<model::CleaningRecord> history;
        bool scanned;
        std::optional<std::string> expected;
    };
    const std::vector<Case> cases{
        {"latest wins", {{dayAgo, 1'000'000}, {hourAgo, 2'000'000}}, true, cleaned("2 MB", hourAgo)},
        {"first of equal dates", {{hourAgo, 3'000'000}, {hourAgo, 4'000'000}}, false, cleaned("3 MB", hourAgo)},
        {"latest freed nothing", {{dayAgo, 1'000'000}, {hourAgo, 0}}, true, summary},
        {"no history", {}, true, summary},
        {"nothing at all", {}, false, std::nullopt},
    };
    harness.standard.setReal("lastScanFoundBytes", 7'000'000);
    for (const auto& c : cases) {
        harness.prefs.setCleaningHistory(c.history);
        harness.standard.setReal("lastScanDate", c.scanned ? dayAgo.timeIntervalSince1970() : 0.0);
        const auto activity = lastActivity(harness.prefs, now);
        EXPECT_EQ(activity ? std::optional(activity->text) : std::nullopt, c.expected) << c.name;
        EXPECT_EQ(activity && activity->cleaned, c.expected && c.expected->starts_with("Cleaned")) << c.name;
    }
    // The figure the window counts in its view mode replaces the stored one, so the popover agrees with the overview.
    harness.prefs.setCleaningHistory({});
    harness.standard.setReal("lastScanDate", dayAgo.timeIntervalSince1970());
    EXPECT_EQ(lastActivity(harness.prefs, now, "en", 2'000'000).value_or(LastActivity{}).text,
              "Last scan " + platform::formatRelativeAbbreviated(dayAgo, now, "en") + " \u00B7 found 2 MB");
}

TEST_F(MenuBarPresenterTest, TheLastActivityReadsAsASentenceInEitherLanguage) {
    auto& texts = platform::Localization::shared();
    platform::useDesktopTexts(texts, platform::HostPlatform::linuxDesktop, [](const char*) { return std::nullopt; });
    const auto now = harness.clock.now();
    struct Case {
        const char* language;
        std::optional<double> cleanedAgo;
        double scannedAgo;
        std::string expected;
    };
    const std::vector<Case> cases{
        {"en", std::nullopt, 30, "Last scan just now \u00B7 found 7 MB"},
        {"en", std::nullopt, 2 * 3600, "Last scan 2 hr. ago \u00B7 found 7 MB"},
        {"en", 10, 3600, "Cleaned 2 MB just now"},
        {"en", 3 * 3600, 3600, "Cleaned 2 MB \u00B7 3 hours ago"},
        {"vi", std::nullopt, 30, "V\u1eeba qu\u00e9t xong \u00B7 t\u00ecm th\u1ea5y 7 MB"},
        {"vi", std::nullopt, 2 * 3600, "Qu\u00e9t l\u1ea7n cu\u1ed1i 2 gi\u1edd tr\u01b0\u1edbc \u00B7 t\u00ecm th\u1ea5y 7 MB"},
        {"vi", 10, 3600, "V\u1eeba d\u1ecdn 2 MB"},
        {"vi", 3 * 3600, 3600, "\u0110\u00e3 d\u1ecdn 2 MB \u00B7 3 gi\u1edd tr\u01b0\u1edbc"},
    };
    harness.standard.setReal("lastScanFoundBytes", 7'000'000);
    for (const auto& c : cases) {
        texts.setLanguage(c.language);
        const model::UserPreferences prefs(harness.standard, harness.clock, harness.shared, c.language);
        harness.prefs.setCleaningHistory({});
        if (c.cleanedAgo) harness.prefs.setCleaningHistory({{now.addingTimeInterval(-*c.cleanedAgo), 2'000'000}});
        harness.standard.setReal("lastScanDate", now.addingTimeInterval(-c.scannedAgo).timeIntervalSince1970());
        const auto activity = lastActivity(prefs, now, c.language);
        EXPECT_EQ(activity ? activity->text : "", c.expected) << c.language;
    }
    texts.clear();
}

TEST_F(MenuBarPresenterTest, DiskHeaderOfAnUnreadableOrOverfullVolume) {
    const auto none = diskUsageHeader(std::nullopt);
    EXPECT_EQ(none.usedFraction, 0.0);
    EXPECT_EQ(none.freeText, "0 KB free");
    const auto overfull = diskUsageHeader(DiskInfo{100'000'000, -5});
    EXPECT_EQ(overfull.usedFraction, 1.0);
    EXPECT_EQ(overfull.color, UsageColor::danger);
    EXPECT_EQ(diskUsageHeader(DiskInfo{100'000'000, 50'000'000}).accessibleLabel, "Disk 50 MB used of 100 MB total");
}

TEST_F(MenuBarPresenterTest, ScanNowBringsTheWindowForwardAndStartsAQuickScan) {
    actions.scanNow();
    EXPECT_EQ(windowOpened, 1);
    ASSERT_EQ(harness.engine.fullScans.size(), 1u);
    // A quick foreground scan: projects and large files too.
    EXPECT_TRUE(harness.engine.fullScans.back().includeUserContent);
    EXPECT_TRUE(harness.engine.fullScans.back().includeExtended);
}

TEST_F(MenuBarPresenterTest, QuickCleanOnALoadedResultDeletesReviewsOrCancels) {
    const auto safe = scannedItem("/h/.Trash/a", CategoryType::trash, 2'000'000);
    const auto review = scannedItem("/h/big.iso", CategoryType::largeFiles, 9'000'000, false);
    struct Case {
        QuickCleanAnswer answer;
        std::size_t cleans;
        SidebarSelection page;
    };
    const std::vector<Case> cases{
        {QuickCleanAnswer::clean, 1, SidebarSelection::overview()},
        {QuickCleanAnswer::reviewFirst, 0, SidebarSelection::category(CategoryType::xcode)},
        {QuickCleanAnswer::cancel, 0, SidebarSelection::overview()},
    };
    for (const auto& c : cases) {
        harness.engine.cleans.clear();
        vm->sidebarSelection.set(SidebarSelection::overview());
        load({safe, review});
        const auto question = actions.quickClean();
        ASSERT_TRUE(question);
        EXPECT_EQ(question->kind, QuickCleanQuestion::Kind::cleanResult);
        EXPECT_EQ(question->confirmation.title, "Quick Clean 2 MB?");
        EXPECT_EQ(question->confirmation.deleteLabel, "Delete 2 MB");
        EXPECT_EQ(question->confirmation.firstNames, std::vector<std::string>{"a, 2 MB"});
        EXPECT_EQ(question->reviewLabel, "Review First");

        actions.answer(*question, c.answer);
        ASSERT_EQ(harness.engine.cleans.size(), c.cleans);
        if (c.cleans > 0) {
            ASSERT_EQ(harness.engine.cleans.back().items.size(), 1u);
            EXPECT_EQ(harness.engine.cleans.back().items[0].id, safe.id);
            harness.engine.cleans.back().done({});
        }
        EXPECT_EQ(vm->sidebarSelection(), c.page);
    }
    EXPECT_EQ(windowOpened, 3);
}

TEST_F(MenuBarPresenterTest, QuickCleanCleansOnlyTheItemsItNamed) {
    const auto first = scannedItem("/h/.Trash/a", CategoryType::trash, 2'000'000);
    load({first});
    const auto question = actions.quickClean();
    ASSERT_TRUE(question);
    // A new scan replaced the result while the question stood open.
    load({scannedItem("/h/.Trash/b", CategoryType::trash, 3'000'000)});
    actions.answer(*question, QuickCleanAnswer::clean);
    EXPECT_TRUE(harness.engine.cleans.empty());
}

TEST_F(MenuBarPresenterTest, QuickCleanOnStoredFiguresScansFirstThenCleans) {
    EXPECT_FALSE(actions.quickClean());  // nothing cleanable
    storeLastRun(5'000'000, 3);
    const auto question = actions.quickClean();
    ASSERT_TRUE(question);
    EXPECT_EQ(question->kind, QuickCleanQuestion::Kind::scanAndClean);
    EXPECT_EQ(question->confirmation.deleteLabel, "Scan & Clean 5 MB");
    EXPECT_TRUE(question->reviewLabel.empty());

    actions.answer(*question, QuickCleanAnswer::cancel);
    EXPECT_TRUE(harness.engine.fullScans.empty());
    actions.answer(*question, QuickCleanAnswer::clean);
    ASSERT_EQ(harness.engine.fullScans.size(), 1u);
    // The scan ends in a clean of the safe items it found.
    harness.engine.fullScans.back().done({scannedItem("/h/.Trash/a", CategoryType::trash, 2'000'000)});
    EXPECT_EQ(harness.engine.cleans.size(), 1u);
}

TEST_F(MenuBarPresenterTest, WhileACleanRunsScanNowAndQuickCleanOnlyOpenTheWindow) {
    load({scannedItem("/h/.Trash/a", CategoryType::trash, 2'000'000),
          scannedItem("/h/.cache/b", CategoryType::appCaches, 1'000'000)});
    const auto question = actions.quickClean();
    ASSERT_TRUE(question);
    vm->selectAll(CategoryType::trash);
    vm->startClean(CategoryType::trash, false);
    ASSERT_TRUE(vm->isCleaning());
    const auto itemsBefore = vm->result().items;

    actions.scanNow();
    EXPECT_FALSE(actions.quickClean());
    actions.answer(*question, QuickCleanAnswer::clean);
    EXPECT_EQ(windowOpened, 3);
    EXPECT_EQ(harness.engine.fullScans.size(), 1u);  // only the one that loaded the result
    EXPECT_EQ(harness.engine.cleans.size(), 1u);
    EXPECT_TRUE(vm->isCleaning());
    EXPECT_EQ(vm->result().items.size(), itemsBefore.size());
}

TEST_F(MenuBarPresenterTest, PageActionsSetThePageThenOpenTheWindow) {
    std::vector<SidebarSelection> pageWhenOpened;
    MenuBarActions recording{*vm, [&] { pageWhenOpened.push_back(vm->sidebarSelection()); }};
    recording.openPage(SidebarSelection::boost());
    recording.openPage(SidebarSelection::category(CategoryType::trash));
    EXPECT_EQ(pageWhenOpened,
              (std::vector<SidebarSelection>{SidebarSelection::boost(),
                                             SidebarSelection::category(CategoryType::trash)}));
}

TEST(PopoverPlacementTest, OpensBesideTheIconOrThePointerInsideTheScreen) {
    const PopoverRect screen{0, 0, 1000, 800};
    struct Case {
        const char* name;
        std::optional<PopoverRect> icon;
        int cursorX, cursorY;
        PopoverRect expected;
    };
    const std::vector<Case> cases{
        {"under a top panel's icon", PopoverRect{500, 0, 24, 24}, 0, 0, {362, 28, 300, 400}},
        {"above a bottom panel's icon", PopoverRect{500, 776, 24, 24}, 0, 0, {362, 372, 300, 400}},
        {"kept inside at the right edge", PopoverRect{990, 0, 10, 24}, 0, 0, {700, 28, 300, 400}},
        {"at the pointer without geometry", std::nullopt, 100, 700, {0, 296, 300, 400}},
        {"an empty icon rectangle counts as none", PopoverRect{0, 0, 0, 0}, 600, 10, {450, 15, 300, 400}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(popoverGeometry(c.icon, c.cursorX, c.cursorY, 300, 400, screen), c.expected) << c.name;
}

}  // namespace
}  // namespace zentrel::ui
