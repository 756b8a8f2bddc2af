#include "app/shell/ContentView.hpp"
#include "app/shell/MainWindow.hpp"

#include "platform/desktop/MemoryClipboard.hpp"
#include "ui/main/MainContentView.hpp"
#include "ui/main/SidebarView.hpp"
#include "viewmodels/ScanViewModelHarness.hpp"

#include "ui/LayoutAudit.hpp"

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
        return new ContentView(sidebar, new ui::MainContentView(*vm, h.clock, {clipboard, h.clock, nullptr, ""}, nullptr));
    }

    testing::ScanViewModelHarness h;
    std::shared_ptr<viewmodels::ScanViewModel> vm = h.make();
    platform::AnnouncedValue<bool> typingEnabled{false};
    platform::MemoryClipboard clipboard;
    ui::SidebarView* sidebar = nullptr;
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

}  // namespace
}  // namespace zentrel::app
