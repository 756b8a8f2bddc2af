#include "ui/presenters/MainContentPresenter.hpp"

#include "doubles/ScopedDesktopTexts.hpp"
#include "viewmodels/ScanViewModelHarness.hpp"

#include <gtest/gtest.h>

namespace zentrel::ui {
namespace {

using model::CategoryType;
using model::SidebarSelection;
using testing::scannedItem;
using Kind = DetailRoute::Kind;
namespace state = model::scan_state;

class MainContentPresenterTest : public ::testing::Test {
protected:
    testing::ScanViewModelHarness harness;
    std::shared_ptr<viewmodels::ScanViewModel> vm = harness.make();

    void load(std::vector<model::CleanItem> items) {
        harness.scanTo(*vm, std::move(items));
        vm->scanState.set(state::Done{});
    }
};

TEST_F(MainContentPresenterTest, RoutesFollowTheSelectionThenTheScanState) {
    const auto trash = SidebarSelection::category(CategoryType::trash);
    struct Case {
        SidebarSelection selection;
        model::ScanState scanState;
        bool background;
        std::optional<CategoryType> lazy;
        bool scanned;
        Kind expected;
    };
    const std::vector<Case> cases{
        {SidebarSelection::boost(), state::Cleaning{}, false, {}, false, Kind::boost},
        {SidebarSelection::settings(), state::Scanning{}, false, {}, false, Kind::settings},
        {SidebarSelection::overview(), state::Scanning{}, false, {}, false, Kind::scanning},
        {SidebarSelection::overview(), state::Scanning{}, true, {}, false, Kind::overview},
        {SidebarSelection::overview(), state::Scanning{}, false, CategoryType::xcode, false, Kind::overview},
        {trash, state::Scanning{}, false, {}, false, Kind::categoryPrompt},
        {trash, state::Scanning{}, false, {}, true, Kind::results},
        {trash, state::Scanning{}, true, {}, false, Kind::categoryWaiting},
        {trash, state::Scanning{}, false, CategoryType::trash, false, Kind::categoryWaiting},
        {trash, state::Scanning{}, false, CategoryType::xcode, false, Kind::categoryPrompt},
        {trash, state::Cleaning{}, false, {}, true, Kind::cleaning},
        {trash, state::Cleaned{42, CategoryType::trash}, false, {}, true, Kind::cleaned},
        {SidebarSelection::overview(), state::Error{"disk gone"}, false, {}, false, Kind::error},
        {SidebarSelection::overview(), state::Done{}, false, {}, false, Kind::overview},
    };
    load({scannedItem("/h/.Trash/a", CategoryType::trash, 10)});
    for (const auto& c : cases) {
        vm->sidebarSelection.set(c.selection);
        vm->scanState.set(c.scanState);
        vm->isBackgroundScanning.set(c.background);
        vm->lazyScanningCategory.set(c.lazy);
        vm->scannedCategories.set(c.scanned ? std::set{CategoryType::trash} : std::set<CategoryType>{});
        EXPECT_EQ(detailRoute(*vm).kind, c.expected) << navigationTitle(*vm);
    }
    vm->scanState.set(state::Cleaned{42});
    EXPECT_EQ(detailRoute(*vm).freedBytes, 42);
    EXPECT_EQ(navigationTitle(*vm), "Cleaned");
    vm->scanState.set(state::Error{"disk gone"});
    vm->sidebarSelection.set(trash);
    EXPECT_EQ(detailRoute(*vm).message, "disk gone");
    EXPECT_EQ(navigationTitle(*vm), "Trash & Old Files");
    vm->sidebarSelection.set(SidebarSelection::features());
    EXPECT_EQ(navigationTitle(*vm), "Vietnamese Typing");
}

TEST_F(MainContentPresenterTest, TheResultOfACleanShowsOnlyOnThePageThatCleaned) {
    const testing::ScopedDesktopTexts english;
    load({scannedItem("/h/.Trash/a", CategoryType::trash, 10), scannedItem("/h/dup/a", CategoryType::duplicates, 20),
          scannedItem("/h/dup/b", CategoryType::duplicates, 20)});
    vm->scannedCategories.set({CategoryType::trash, CategoryType::duplicates});
    const auto trash = SidebarSelection::category(CategoryType::trash);
    const auto duplicates = SidebarSelection::category(CategoryType::duplicates);
    struct Case {
        std::optional<CategoryType> cleaned;
        SidebarSelection selection;
        Kind route;
        std::string title;
    };
    const std::vector<Case> cases{
        {std::nullopt, SidebarSelection::overview(), Kind::cleaned, "Cleaned"},
        {std::nullopt, duplicates, Kind::results, "Duplicate Files"},
        {std::nullopt, SidebarSelection::uninstall(), Kind::uninstall, "Uninstall Apps"},
        {std::nullopt, SidebarSelection::boost(), Kind::boost, "Boost"},
        {std::nullopt, SidebarSelection::settings(), Kind::settings, "Settings"},
        {std::nullopt, SidebarSelection::smartCleanup(), Kind::smartCleanup, "Smart Cleanup"},
        {CategoryType::trash, trash, Kind::cleaned, "Cleaned"},
        {CategoryType::trash, duplicates, Kind::results, "Duplicate Files"},
        {CategoryType::trash, SidebarSelection::overview(), Kind::overview, "Overview"},
        {CategoryType::trash, SidebarSelection::features(), Kind::features, "Vietnamese Typing"},
    };
    for (const auto& c : cases) {
        vm->scanState.set(state::Cleaned{24, c.cleaned});
        vm->sidebarSelection.set(c.selection);
        EXPECT_EQ(detailRoute(*vm).kind, c.route) << c.title;
        EXPECT_EQ(navigationTitle(*vm), c.title);
    }
}

TEST_F(MainContentPresenterTest, TheCleanedPageCountsWhatIsLeftWhereItCleaned) {
    load({scannedItem("/h/.Trash/a", CategoryType::trash, 10), scannedItem("/h/dup/a", CategoryType::duplicates, 20),
          scannedItem("/h/dup/b", CategoryType::duplicates, 20)});
    vm->scanState.set(state::Cleaned{24, std::nullopt});
    EXPECT_EQ(detailRoute(*vm).leftBytes, 50) << "a clean of everything: everything still found";
    vm->scanState.set(state::Cleaned{24, CategoryType::trash});
    vm->sidebarSelection.set(SidebarSelection::category(CategoryType::trash));
    EXPECT_EQ(detailRoute(*vm).leftBytes, 10);
}

TEST_F(MainContentPresenterTest, ToolbarFollowsTheScanState) {
    const auto actions = [this] {
        std::vector<ToolbarAction> shown;
        for (const auto& item : toolbarItems(*vm)) shown.push_back(item.action);
        return shown;
    };
    using A = ToolbarAction;
    EXPECT_EQ(actions(), std::vector{A::fullScan});
    vm->sidebarSelection.set(SidebarSelection::category(CategoryType::trash));
    EXPECT_EQ(actions(), std::vector{A::scanCategory});
    EXPECT_EQ(toolbarItems(*vm)[0].hint, "Scans only this category, not your entire Mac.");
    vm->scanState.set(state::Scanning{});
    EXPECT_EQ(actions(), std::vector{A::cancelScan});
    vm->isBackgroundScanning.set(true);
    EXPECT_TRUE(actions().empty());
    vm->scanState.set(state::Cleaning{});
    EXPECT_TRUE(actions().empty());

    vm->isBackgroundScanning.set(false);
    vm->sidebarSelection.set(SidebarSelection::overview());
    vm->scanState.set(state::Idle{});
    load({scannedItem("/h/.Trash/a", CategoryType::trash, 2048),
          scannedItem("/h/Library/Logs", CategoryType::systemCaches, 1024, false)});
    EXPECT_EQ(actions(), (std::vector{A::exportReport, A::fullScan, A::clean}));
    const auto clean = toolbarItems(*vm)[2];
    EXPECT_EQ(clean.title, "Clean 2 KB");
    EXPECT_TRUE(clean.enabled);
    EXPECT_EQ(toolbarItems(*vm)[1].title, "Full Scan Again");
    vm->sidebarSelection.set(SidebarSelection::category(CategoryType::systemCaches));
    EXPECT_EQ(toolbarItems(*vm)[1].title, "Scan Again");
    EXPECT_FALSE(toolbarItems(*vm)[2].enabled) << "nothing of this category is selected";
    EXPECT_EQ(toolbarItems(*vm)[2].title, "Clean") << "a disabled Clean names no figure";
}

TEST_F(MainContentPresenterTest, ToolAndSettingsPagesHaveNoScanToolbar) {
    load({scannedItem("/h/.Trash/a", CategoryType::trash, 2048)});
    for (const auto& page : {SidebarSelection::boost(), SidebarSelection::uninstall(), SidebarSelection::features(),
                             SidebarSelection::settings()}) {
        vm->sidebarSelection.set(page);
        for (const auto& scanState : std::vector<model::ScanState>{state::Idle{}, state::Done{}, state::Scanning{}}) {
            vm->scanState.set(scanState);
            EXPECT_TRUE(toolbarItems(*vm).empty()) << navigationTitle(*vm);
        }
    }
    vm->sidebarSelection.set(SidebarSelection::smartCleanup());
    EXPECT_FALSE(toolbarItems(*vm).empty()) << "smart cleanup works on the scan's result";
}

TEST_F(MainContentPresenterTest, ConfirmationTextsCountTheSelectionInScope) {
    const testing::ScopedDesktopTexts english;
    auto review = [](std::string path) { return scannedItem(std::move(path), CategoryType::largeFiles, 1000, false); };
    auto one = review("/h/big.iso");
    one.isSelected = true;
    load({one, scannedItem("/h/.Trash/a", CategoryType::trash, 1000)});
    auto confirmation = cleanConfirmation(*vm);
    EXPECT_EQ(confirmation.title, "Delete 2 items (2 KB)?");
    EXPECT_EQ(confirmation.message,
              "1 item marked \"Review before deleting\" is included. This action cannot be undone.");

    auto two = review("/h/big2.iso");
    two.isSelected = true;
    load({one, two});
    EXPECT_EQ(cleanConfirmation(*vm).message.substr(0, 8), "2 items ");

    vm->sidebarSelection.set(SidebarSelection::category(CategoryType::largeFiles));
    confirmation = cleanConfirmation(*vm);
    EXPECT_EQ(confirmation.message,
              "Only selected items in Large Files will be deleted. 2 items marked \"Review before deleting\" are "
              "included. This action cannot be undone.");
    vm->deselectAll(CategoryType::largeFiles);
    vm->toggleItem(vm->result().items[0].id);
    EXPECT_EQ(cleanConfirmation(*vm).title, "Delete 1 item (1 KB)?");

    auto cookie = scannedItem("/h/Cookies", CategoryType::privacy, 10);
    load({one, cookie});
    vm->sidebarSelection.set(SidebarSelection::overview());
    EXPECT_EQ(cleanConfirmation(*vm).message,
              "1 item (1 KB) will be permanently deleted; this cannot be undone. 1 privacy item (10 bytes) can be "
              "undone within 24 hours from the sweep log.")
        << "privacy items selected never hide what goes for good";
    load({cookie});
    EXPECT_EQ(cleanConfirmation(*vm).message,
              "Privacy sweep actions are logged and can be undone within 24 hours from the sweep log.");
}

struct CookieFigure {
    std::int64_t fileBytes;
    std::vector<std::string> cookieHosts;
    std::string deleteLabel;
    // The Privacy page's clean button, in English and in Vietnamese.
    std::string cleanButton;
    std::string cleanButtonVietnamese;
};
// Failures name the case rather than dump its bytes.
void PrintTo(const CookieFigure& c, std::ostream* out) { *out << c.deleteLabel; }

class CookieConfirmationTest : public MainContentPresenterTest, public ::testing::WithParamInterface<CookieFigure> {};

TEST_P(CookieConfirmationTest, TrackerCookiesAreCountedNotWeighed) {
    const testing::ScopedDesktopTexts english;
    std::vector<model::CleanItem> items;
    if (GetParam().fileBytes > 0) items.push_back(scannedItem("/h/recent.sfl", CategoryType::privacy, GetParam().fileBytes));
    if (!GetParam().cookieHosts.empty()) {
        auto cookies = scannedItem("/h/Cookies", CategoryType::privacy, 0);
        cookies.privacyDomains = GetParam().cookieHosts;
        cookies.deletionMethod =
            model::DeletionMethod::clearTrackerCookies("/h/Cookies", GetParam().cookieHosts, model::BrowserKind::chrome);
        items.push_back(cookies);
    }
    for (auto& item : items) item.isSelected = true;
    load(items);
    EXPECT_EQ(cleanConfirmation(*vm).deleteLabel, GetParam().deleteLabel);
    vm->sidebarSelection.set(SidebarSelection::category(CategoryType::privacy));
    EXPECT_EQ(toolbarItems(*vm).back().title, GetParam().cleanButton) << "the button says what it does";
    const testing::ScopedDesktopTexts vietnamese("vi");
    EXPECT_EQ(toolbarItems(*vm).back().title, GetParam().cleanButtonVietnamese);
}

INSTANTIATE_TEST_SUITE_P(
    Selections, CookieConfirmationTest,
    ::testing::Values(CookieFigure{2000, {}, "Delete 2 KB", "Clean 2 KB", "D\u1ecdn 2 KB"},
                      CookieFigure{0, {".x.com", "x.com", "y.com"}, "Delete 3 tracker cookies",
                                   "Remove 3 tracker cookies", "D\u1ecdn 3 cookie theo d\u00f5i"},
                      CookieFigure{2000, {"x.com"}, "Delete 2 KB and 1 tracker cookie",
                                   "Clean 2 KB + 1 tracker cookie",
                                   "D\u1ecdn 2 KB + 1 cookie theo d\u00f5i"}));

TEST_F(MainContentPresenterTest, TheConfirmationNamesEachLabelOnceTheLargestFirst) {
    auto named = [](std::string path, std::string title, std::int64_t size) {
        auto item = scannedItem(std::move(path), CategoryType::appCaches, size);
        item.friendlyName = std::move(title);
        return item;
    };
    load({named("/h/a", "VS Code junk", 10), named("/h/b", "VS Code junk", 10), named("/h/c", "VS Code junk", 10),
          named("/h/d", "thesis.pdf", 500), named("/h/e", "Chrome junk", 40)});
    const auto confirmation = cleanConfirmation(*vm);
    EXPECT_EQ(confirmation.firstNames,
              (std::vector<std::string>{"thesis.pdf, 500 bytes", "Chrome junk, 40 bytes", "VS Code junk (3), 30 bytes"}));
    EXPECT_EQ(confirmation.moreCount, 0);
}

TEST_F(MainContentPresenterTest, ConfirmCleansExactlyWhatTheTitleCounted) {
    load({scannedItem("/h/.Trash/a", CategoryType::trash, 10), scannedItem("/h/.Trash/b", CategoryType::trash, 20, false)});
    const auto confirmation = cleanConfirmation(*vm);
    vm->toggleItem(vm->result().items[1].id);  // selected while the dialog was open
    ASSERT_TRUE(confirmClean(*vm, confirmation));
    ASSERT_EQ(harness.engine.cleans.size(), 1u);
    ASSERT_EQ(harness.engine.cleans.back().items.size(), 1u);
    EXPECT_EQ(harness.engine.cleans.back().items[0].path, "/h/.Trash/a");

    harness.engine.cleans.back().done({});
    load({scannedItem("/h/.Trash/c", CategoryType::trash, 10)});
    const auto stale = cleanConfirmation(*vm);
    load({scannedItem("/h/.Trash/c", CategoryType::trash, 10)});  // a new scan: new items
    EXPECT_FALSE(confirmClean(*vm, stale));
    EXPECT_EQ(harness.engine.cleans.size(), 1u);
}

TEST(CleanFailureMessage, ListsFiveWithTheirDetailsThenCountsTheRest) {
    std::vector<model::CleanFailureInfo> failures;
    for (int i = 0; i < 7; ++i) failures.push_back({platform::Uuid::random(), "item" + std::to_string(i), "", {}, {}});
    failures[0].errorMessage = "locked";
    failures[1].path = "/h/one";
    failures[2].errorMessage = "";
    failures[2].path = "/h/two";
    EXPECT_EQ(cleanFailureMessage(failures, 0),
              "7 item(s) could not be deleted:\n\n"
              "\u2022 item0\n  locked\n\u2022 item1\n  /h/one\n\u2022 item2\n  /h/two\n\u2022 item3\n\u2022 item4\n\n"
              "\u2026and 2 more\n\n"
              "They may be locked or require different permissions. They remain in your results.");
    failures.resize(5);
    const auto message = cleanFailureMessage(failures, 2048);
    EXPECT_TRUE(message.starts_with("2 KB freed\n\n5 item(s)")) << message;
    EXPECT_EQ(message.find("more"), std::string::npos);
}

}  // namespace
}  // namespace zentrel::ui
