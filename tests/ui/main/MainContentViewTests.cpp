#include "ui/main/MainContentView.hpp"

#include "doubles/ScopedDesktopTexts.hpp"
#include "platform/desktop/MemoryClipboard.hpp"
#include "ui/main/DiskSpaceView.hpp"
#include "ui/main/OverviewCards.hpp"
#include "ui/main/PrivacySweepResultsView.hpp"
#include "ui/main/ResultsListView.hpp"
#include "ui/main/ResultsView.hpp"
#include "viewmodels/ScanViewModelHarness.hpp"

#include "doubles/TempDir.hpp"

#include "ui/LayoutAudit.hpp"
#include "ui/TabRound.hpp"

#include <QApplication>

#include <gtest/gtest.h>

#include <fstream>

namespace zentrel::ui {
namespace {

using model::CategoryType;
using testing::scannedItem;

class ScriptedDialogs final : public MainContentDialogs {
public:
    void confirmClean(QWidget&, const CleanConfirmation& confirmation, std::function<void()> confirmed) override {
        confirmations.push_back(confirmation);
        if (answerDelete) confirmed();
    }
    void showCleanFailures(QWidget&, const QString&, const QString& message, std::function<void(bool)> closed) override {
        failureMessages.push_back(message);
        closed(true);
    }
    std::optional<QString> chooseReportFile(QWidget&, const QString&) override { return reportFile; }
    void showWarning(QWidget&, const QString& title, const QString&) override { warnings.push_back(title); }

    bool answerDelete = true;
    std::optional<QString> reportFile;
    std::vector<CleanConfirmation> confirmations;
    std::vector<QString> failureMessages;
    std::vector<QString> warnings;
};

class MainContentViewTest : public ::testing::Test {
protected:
    QPushButton* button(const QString& title) const {
        for (auto* shown : view.toolbarButtons())
            if (shown->text() == title || shown->text().startsWith(title)) return shown;
        return nullptr;
    }

    testing::ScanViewModelHarness h;
    std::shared_ptr<viewmodels::ScanViewModel> vm = h.make();
    ScriptedDialogs* dialogs = new ScriptedDialogs;
    platform::MemoryClipboard clipboard;
    MainContentView view{*vm, h.clock, {clipboard, h.clock, nullptr, ""}, nullptr,
                         std::unique_ptr<MainContentDialogs>(dialogs)};
};

TEST_F(MainContentViewTest, EveryScanPageFitsTheSmallestWindowWithoutSidewaysScrolling) {
    h.scanTo(*vm, {scannedItem("/h/.cache/thumbnails/a-rather-long-file-name-of-a-thumbnail-cache.png",
                               CategoryType::systemCaches, 4096),
                   scannedItem("/h/.Trash/b", CategoryType::trash, 2048)});
    vm->scanState.set(model::scan_state::Done{});
    using model::SidebarSelection;
    for (const auto& page : {SidebarSelection::overview(), SidebarSelection::smartCleanup(),
                             SidebarSelection::category(CategoryType::systemCaches),
                             SidebarSelection::category(CategoryType::largeFiles),
                             SidebarSelection::category(CategoryType::privacy),
                             SidebarSelection::category(CategoryType::duplicates)}) {
        vm->sidebarSelection.set(page);
        // The pane holds the title row above the page.
        for (const auto size : {QSize(640, 582), QSize(840, 700)})
            EXPECT_EQ(testing::layoutFaultsAt(view, size), std::vector<std::string>{})
                << static_cast<int>(detailRoute(*vm).kind) << " " << size.width();
    }
}

TEST_F(MainContentViewTest, FullScanThenCleanAsksFirstAndCleansTheSelection) {
    ASSERT_NE(button("Full Scan"), nullptr);
    button("Full Scan")->click();
    ASSERT_EQ(h.engine.fullScans.size(), 1u);
    h.engine.fullScans.back().done({scannedItem("/h/.Trash/a", CategoryType::trash, 10),
                                    scannedItem("/h/big.iso", CategoryType::largeFiles, 99, false)});
    vm->scanState.set(model::scan_state::Done{});
    EXPECT_EQ(view.titleLabel()->text(), "Overview");

    dialogs->answerDelete = false;
    button("Clean")->click();
    ASSERT_EQ(dialogs->confirmations.size(), 1u);
    EXPECT_TRUE(h.engine.cleans.empty()) << "cancelled";
    dialogs->answerDelete = true;
    button("Clean")->click();
    ASSERT_EQ(h.engine.cleans.size(), 1u);
    ASSERT_EQ(h.engine.cleans.back().items.size(), 1u);
    EXPECT_EQ(h.engine.cleans.back().items[0].path, "/h/.Trash/a");
    EXPECT_EQ(view.route().kind, DetailRoute::Kind::cleaning);
}

TEST_F(MainContentViewTest, ANewViewModeRefreshesTheOpenCategoryPageAndTheOverview) {
    const testing::ScopedDesktopTexts english;
    h.scanTo(*vm, {scannedItem("/h/.cache/a", CategoryType::systemCaches, 3000),
                   scannedItem("/h/.cache/b", CategoryType::systemCaches, 2000, false)});
    const auto header = [this] {
        auto* results = dynamic_cast<ResultsView*>(view.page());
        auto* list = results != nullptr ? dynamic_cast<ResultsListView*>(results->content()) : nullptr;
        return list != nullptr ? list->headerLabel()->text() : QString();
    };
    vm->sidebarSelection.set(model::SidebarSelection::category(CategoryType::systemCaches));
    EXPECT_EQ(header(), "1 item");
    vm->prefs().setViewMode(model::ViewMode::advanced);
    EXPECT_EQ(header(), "2 items");

    vm->sidebarSelection.set(model::SidebarSelection::overview());
    auto* overview = dynamic_cast<DiskSpaceView*>(view.page());
    ASSERT_NE(overview, nullptr);
    EXPECT_EQ(overview->hero()->statusLine()->text(), "Zentrel can free up 5 KB");
    vm->prefs().setViewMode(model::ViewMode::recommended);
    overview = dynamic_cast<DiskSpaceView*>(view.page());
    ASSERT_NE(overview, nullptr);
    EXPECT_EQ(overview->hero()->statusLine()->text(), "Zentrel can free up 3 KB");
}

TEST_F(MainContentViewTest, TheSweepLogLeavesTheMainWindowWorking) {
    vm->showSweepLog.set(true);
    ASSERT_NE(view.sweepLogSheet(), nullptr);
    EXPECT_EQ(view.sweepLogSheet()->windowModality(), Qt::NonModal);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the sidebar and pages take clicks while it is open";
    vm->showSweepLog.set(false);
}

TEST_F(MainContentViewTest, AGrowingFailureListRaisesTheAlertOnce) {
    vm->cleanFailures.set({{platform::Uuid::random(), "a.log", "/h/a.log", CategoryType::systemCaches, {}}});
    ASSERT_EQ(dialogs->failureMessages.size(), 1u);
    EXPECT_TRUE(vm->cleanFailures().empty()) << "closing the alert empties the list";
    EXPECT_EQ(vm->sidebarSelection(), model::SidebarSelection::category(CategoryType::systemCaches));
    EXPECT_EQ(dialogs->failureMessages.size(), 1u);
}

TEST_F(MainContentViewTest, PagesFollowTheRouteAndAFailedExportSaysSo) {
    h.scanTo(*vm, {});
    vm->sidebarSelection.set(model::SidebarSelection::category(CategoryType::privacy));
    auto* results = dynamic_cast<ResultsView*>(view.page());
    ASSERT_NE(results, nullptr);
    EXPECT_NE(dynamic_cast<PrivacySweepResultsView*>(results->content()), nullptr);

    testing::TempDir folder;
    dialogs->reportFile = QString::fromStdString((folder / "missing/dir/is/a/file").string());
    std::filesystem::create_directories(folder / "missing");
    std::ofstream(folder / "missing/dir") << "not a folder";
    view.exportReport();
    EXPECT_EQ(dialogs->warnings.size(), 1u);
    dialogs->reportFile = QString::fromStdString((folder / "report.txt").string());
    view.exportReport();
    EXPECT_EQ(dialogs->warnings.size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(folder / "report.txt"));
}

TEST_F(MainContentViewTest, TabVisitsTheHeaderButtonsBeforeThePageAlsoAfterTheyAreBuiltAgain) {
    h.scanTo(*vm, {scannedItem("/h/.Trash/a", CategoryType::trash, 2048),
                   scannedItem("/h/.Trash/b", CategoryType::trash, 1024, false)});
    vm->scanState.set(model::scan_state::Done{});
    vm->sidebarSelection.set(model::SidebarSelection::category(CategoryType::trash));
    view.resize(840, 700);
    view.show();
    QApplication::setActiveWindow(&view);
    for (const char* when : {"first built", "built again"}) {
        std::vector<QWidget*> header;
        for (auto* button : view.toolbarButtons())
            if (button->isEnabled()) header.push_back(button);
        ASSERT_GE(header.size(), 2u) << when;
        const auto visited = testing::tabRound(view);
        ASSERT_GT(visited.size(), header.size()) << when;
        EXPECT_EQ(std::vector<QWidget*>(visited.begin(), visited.begin() + static_cast<std::ptrdiff_t>(header.size())),
                  header)
            << when << ": leading to trailing, before the page";
        EXPECT_TRUE(view.page()->isAncestorOf(visited[header.size()])) << when;
        // Another selection renames Clean: the header's buttons are built again.
        vm->toggleItem(vm->result().items[1].id);
        QCoreApplication::processEvents();
    }
}

}  // namespace
}  // namespace zentrel::ui
