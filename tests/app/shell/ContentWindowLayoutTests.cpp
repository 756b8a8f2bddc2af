#include "app/shell/ContentView.hpp"
#include "app/shell/MainWindow.hpp"

#include "platform/desktop/MemoryClipboard.hpp"
#include "ui/main/MainContentView.hpp"
#include "ui/main/SidebarView.hpp"
#include "viewmodels/ScanViewModelHarness.hpp"

#include "ui/LayoutAudit.hpp"
#include "ui/TabRound.hpp"

#include <QAccessible>
#include <QApplication>
#include <QScreen>

#include <gtest/gtest.h>

namespace zentrel::app {
namespace {

using model::CategoryType;
using testing::scannedItem;

// The main window on its content, as the app builds it: the sidebar beside the detail pane.
class ContentWindowLayoutTest : public ::testing::Test {
protected:
    QWidget* makeContent() {
        sidebar = new ui::SidebarView(*vm, typingEnabled);
        detail = new ui::MainContentView(*vm, h.clock, {clipboard, h.clock, nullptr, ""}, nullptr);
        return new ContentView(sidebar, detail);
    }
    // Tab from the window's start, as the eye reads it: the header's buttons
    // before the page under them, and each stop a visible, named control.
    std::vector<std::string> tabFaults() {
        window.showBranch(ui::MainWindowBranch::content);
        window.show();
        QApplication::setActiveWindow(&window);
        QApplication::processEvents();
        std::vector<std::string> faults;
        std::size_t lastHeader = 0;
        std::size_t firstPage = SIZE_MAX;
        const auto stops = testing::tabRound(window);
        for (std::size_t i = 0; i < stops.size(); ++i) {
            auto* stop = stops[i];
            auto* face = QAccessible::queryAccessibleInterface(stop);
            const auto name = face != nullptr ? face->text(QAccessible::Name) : QString();
            if (name.isEmpty() || !stop->isVisible())
                faults.push_back(std::to_string(i) + ": a dead stop, " + stop->metaObject()->className());
            const auto& header = detail->toolbarButtons();
            if (std::find(header.begin(), header.end(), stop) != header.end()) lastHeader = i;
            if (detail->page()->isAncestorOf(stop)) firstPage = std::min(firstPage, i);
        }
        if (detail->toolbarButtons().empty()) faults.push_back("no header button");
        if (firstPage == SIZE_MAX) faults.push_back("nothing of the page");
        if (lastHeader > firstPage) faults.push_back("a header button after the page");
        return faults;
    }

    testing::ScanViewModelHarness h;
    std::shared_ptr<viewmodels::ScanViewModel> vm = h.make();
    platform::AnnouncedValue<bool> typingEnabled{false};
    platform::MemoryClipboard clipboard;
    ui::SidebarView* sidebar = nullptr;
    ui::MainContentView* detail = nullptr;
    MainWindow window{[this](ui::MainWindowBranch) { return makeContent(); }, MainWindowActions{}};
};

TEST_F(ContentWindowLayoutTest, TheSidebarsSummaryPanelShowsWholeFromTheSmallestWindowUp) {
    window.showBranch(ui::MainWindowBranch::content);
    h.scanTo(*vm, {scannedItem("/h/.Trash/a", CategoryType::trash, 5000)});
    vm->scanState.set(model::scan_state::Done{});
    ASSERT_NE(sidebar->bottomPanel(), nullptr);
    // No smaller than 900x600, unless the screen is (the first test screen is 800 wide).
    const auto available = window.screen()->availableGeometry().size();
    EXPECT_EQ(window.minimumSize(), QSize(900, 600).boundedTo(available));
    for (const auto size : {QSize(900, 600), QSize(1100, 720)}) {
        EXPECT_EQ(testing::layoutFaultsAt(window, size), std::vector<std::string>{}) << size.width();
        EXPECT_EQ(window.size(), size);
        const auto* panel = sidebar->bottomPanel();
        const QRect shown(panel->mapTo(&window, QPoint(0, 0)), panel->size());
        EXPECT_TRUE(window.rect().contains(shown)) << size.width() << ": " << shown.y() << "+" << shown.height();
    }
}

TEST_F(ContentWindowLayoutTest, BeforeAFirstScanTabGoesFromTheHeaderToTheOverview) {
    EXPECT_EQ(tabFaults(), std::vector<std::string>{});
}

TEST_F(ContentWindowLayoutTest, AfterARestartTabGoesFromTheHeaderToTheOverview) {
    h.scanTo(*vm, {scannedItem("/h/.Trash/a", CategoryType::trash, 5000)});
    vm = h.make();
    EXPECT_EQ(tabFaults(), std::vector<std::string>{});
}

}  // namespace
}  // namespace zentrel::app
