#include "ui/main/SidebarView.hpp"

#include "ui/design/CapsuleLabel.hpp"
#include "ui/design/SidebarRow.hpp"

#include "doubles/ScopedDesktopTexts.hpp"
#include "viewmodels/ScanViewModelHarness.hpp"

#include "ui/LayoutAudit.hpp"

#include <gtest/gtest.h>

namespace zentrel::ui {
namespace {

using model::CategoryType;
using model::SidebarSelection;
using testing::scannedItem;

class SidebarViewTest : public ::testing::Test {
protected:
    void scanTo(std::vector<model::CleanItem> items) { h.scanTo(*vm, std::move(items)); }
    testing::ScanViewModelHarness h;
    std::shared_ptr<viewmodels::ScanViewModel> vm = h.make();
    platform::AnnouncedValue<bool> typingEnabled{false};
    SidebarView view{*vm, typingEnabled};
};

TEST_F(SidebarViewTest, TheSummaryPanelShowsWholeInTheSmallestWindow) {
    scanTo({scannedItem("/h/.Trash", CategoryType::trash, 5000)});
    vm->scanState.set(model::scan_state::Done{});
    ASSERT_NE(view.bottomPanel(), nullptr);
    EXPECT_EQ(testing::layoutFaultsAt(view, QSize(240, 600)), std::vector<std::string>{});
    const QRect panel(view.bottomPanel()->mapTo(&view, QPoint(0, 0)), view.bottomPanel()->size());
    EXPECT_TRUE(view.rect().contains(panel)) << panel.y() << "+" << panel.height();
}

TEST_F(SidebarViewTest, ALongCleanedFigureWrapsWholeInTheNarrowestSidebar) {
    for (const char* language : {"en", "vi"}) {
        const testing::ScopedDesktopTexts texts(language);
        vm->scanState.set(model::scan_state::Cleaned{.freedBytes = 49'700'000, .trackerCookies = 18});
        ASSERT_NE(view.panelValue(), nullptr);
        EXPECT_EQ(testing::layoutFaultsAt(view, QSize(220, 600)), std::vector<std::string>{}) << language;
        for (auto* label : {view.panelLabel(), view.panelValue()}) {
            // Every line of the text is shown: none runs past the label's width or below its height.
            const QFontMetrics metrics(label->font());
            const auto needed = metrics.boundingRect(QRect(0, 0, label->width(), 10'000), Qt::TextWordWrap, label->text());
            EXPECT_LE(needed.width(), label->width()) << language << ": " << label->text().toStdString();
            EXPECT_LE(needed.height(), label->height()) << language << ": " << label->text().toStdString();
        }
        vm->scanState.set(model::scan_state::Idle{});
    }
}

TEST_F(SidebarViewTest, SelectedTrackerCookiesAreCountedNotWeighedAsZero) {
    const testing::ScopedDesktopTexts english;
    auto cookies = scannedItem("/h/.config/chromium/Default/Cookies", CategoryType::privacy, 0);
    cookies.privacyDomains = {"x.com", "y.com"};
    cookies.deletionMethod = model::DeletionMethod::clearTrackerCookies(cookies.path, cookies.privacyDomains,
                                                                        model::BrowserKind::chrome);
    scanTo({cookies});
    vm->scanState.set(model::scan_state::Done{});
    vm->sidebarSelection.set(SidebarSelection::category(CategoryType::privacy));
    ASSERT_NE(view.panelValue(), nullptr);
    EXPECT_EQ(view.panelValue()->text(), "2 tracker cookies");
}

TEST_F(SidebarViewTest, TheSubtitleFollowsTheScan) {
    const testing::ScopedDesktopTexts english;
    EXPECT_EQ(view.subtitle(), "Ready to scan");
    EXPECT_EQ(view.bottomPanel(), nullptr);
    vm->startScan(true, false, false, false);
    EXPECT_EQ(view.subtitle(), "Scanning\u2026");
    h.engine.fullScans.back().done({scannedItem("/h/a", CategoryType::trash, 3000)});
    EXPECT_EQ(view.subtitle(), "1 item found");
    vm->scanState.set(model::scan_state::Error{"broken"});
    EXPECT_EQ(view.subtitle(), "Error");
    EXPECT_EQ(view.bottomPanel(), nullptr);
    vm->scanState.set(model::scan_state::Cleaned{0});
    EXPECT_EQ(view.subtitle(), "0 KB freed");
    ASSERT_NE(view.bottomPanel(), nullptr);
    EXPECT_EQ(view.panelLabel()->text(), "Cleaned");
    EXPECT_EQ(view.panelValue()->text(), "0 KB");
    vm->sidebarSelection.set(SidebarSelection::category(CategoryType::trash));
    ASSERT_NE(view.bottomPanel(), nullptr);
    EXPECT_EQ(view.panelLabel()->text(), "Selected in this category") << "the freed figure stays beside the overview";
}

TEST_F(SidebarViewTest, RowsShowSizesNamesAndTheTypingSwitch) {
    scanTo({scannedItem("/h/Library/Developer/Xcode/DerivedData/a", CategoryType::xcode, 3000),
            scannedItem("/h/Library/Developer/Xcode/Archives/b", CategoryType::xcode, 4000, false),
            scannedItem("/h/.Trash", CategoryType::trash, 5000)});
    auto* xcode = view.row(SidebarSelection::category(CategoryType::xcode));
    ASSERT_NE(xcode, nullptr);
    EXPECT_EQ(xcode->titleLabel()->text(), "Xcode Leftovers");
    ASSERT_NE(xcode->trailingLabel(), nullptr);
    EXPECT_EQ(xcode->trailingLabel()->text(), "3 KB");
    EXPECT_EQ(view.row(SidebarSelection::category(CategoryType::largeFiles))->trailingLabel(), nullptr)
        << "nothing found: no size";
    EXPECT_NE(view.row(SidebarSelection::category(CategoryType::privacy))->newBadge(), nullptr);
    EXPECT_EQ(view.row(SidebarSelection::boost())->accessibleDescription(),
              "Frees RAM and CPU by quitting heavy apps you choose.");
    EXPECT_EQ(view.row(SidebarSelection::features())->trailingLabel(), nullptr);
    typingEnabled.set(true);
    ASSERT_NE(view.row(SidebarSelection::features())->trailingLabel(), nullptr);
    EXPECT_EQ(view.row(SidebarSelection::features())->trailingLabel()->text(), "ON");

    vm->prefs().setViewMode(model::ViewMode::advanced);
    xcode = view.row(SidebarSelection::category(CategoryType::xcode));
    EXPECT_EQ(xcode->titleLabel()->text(), "Xcode") << "a new view mode renames the rows at once";
    ASSERT_NE(xcode->trailingLabel(), nullptr);
    EXPECT_EQ(xcode->trailingLabel()->text(), "7 KB") << "and sizes them by the items it shows";
}

TEST_F(SidebarViewTest, PickingARowSelectsItsPageAndThePanelFollows) {
    scanTo({scannedItem("/h/.Trash", CategoryType::trash, 5000), scannedItem("/h/x", CategoryType::xcode, 3000)});
    EXPECT_EQ(view.panelLabel()->text(), "Selected to clean");
    EXPECT_EQ(view.panelValue()->text(), "8 KB");
    for (int i = 0; i < view.list()->count(); ++i) {
        if (view.list()->itemWidget(view.list()->item(i)) == view.row(SidebarSelection::category(CategoryType::trash))) {
            view.list()->setCurrentRow(i);
        }
    }
    EXPECT_EQ(vm->sidebarSelection(), SidebarSelection::category(CategoryType::trash));
    EXPECT_EQ(view.panelLabel()->text(), "Selected in this category");
    EXPECT_EQ(view.panelValue()->text(), "5 KB");
    vm->sidebarSelection.set(SidebarSelection::settings());
    EXPECT_EQ(view.list()->itemWidget(view.list()->currentItem()), view.row(SidebarSelection::settings()));
}

}  // namespace
}  // namespace zentrel::ui
