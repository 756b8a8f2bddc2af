#include "ui/main/CleaningView.hpp"
#include "ui/main/DiskSpaceView.hpp"
#include "ui/main/DuplicateGroupsResultsView.hpp"
#include "ui/main/MainContentView.hpp"
#include "ui/main/ResultsListView.hpp"
#include "ui/main/ResultsView.hpp"

#include "doubles/ManualExecutor.hpp"
#include "doubles/ManualMainQueue.hpp"
#include "doubles/TempDir.hpp"
#include "platform/desktop/MemoryClipboard.hpp"
#include "ui/AccessibleEvents.hpp"
#include "ui/TabRound.hpp"
#include "viewmodels/ScanViewModelHarness.hpp"

#include <QApplication>

#include <algorithm>

#include <gtest/gtest.h>

namespace zentrel::ui {
namespace {

using model::CategoryType;
using model::SidebarSelection;
using testing::scannedItem;

class AgreeingDialogs final : public MainContentDialogs {
public:
    void confirmClean(QWidget&, const CleanConfirmation& confirmation, std::function<void()> confirmed) override {
        titles.push_back(confirmation.title);
        confirmed();
    }
    void showCleanFailures(QWidget&, const QString&, const QString&, std::function<void(bool)> closed) override {
        closed(false);
    }
    std::optional<QString> chooseReportFile(QWidget&, const QString&) override { return std::nullopt; }
    void showWarning(QWidget&, const QString&, const QString&) override {}
    std::vector<std::string> titles;
};

model::CleanItem copy(std::string path, std::string group, bool keeper) {
    auto item = scannedItem(std::move(path), CategoryType::duplicates, 1000, false);
    item.duplicateGroupId = std::move(group);
    item.isDuplicateKeeper = keeper;
    item.subcategory = "dup:exact";
    return item;
}

class ScanFlowPagesTest : public ::testing::Test {
protected:
    ItemRowServices rows() { return {*vm, clipboard, h.clock}; }

    testing::ScanViewModelHarness h;
    std::shared_ptr<viewmodels::ScanViewModel> vm = h.make();
    platform::MemoryClipboard clipboard;
};

TEST_F(ScanFlowPagesTest, AMemberCheckBoxTogglesItsItem) {
    h.scanTo(*vm, {copy("/h/Pictures/a.jpg", "g", true), copy("/h/Downloads/a.jpg", "g", false)});
    DuplicateGroupsResultsView page(*vm, nullptr);
    ASSERT_EQ(page.groupViews().size(), 1u);
    const auto& members = page.groupViews()[0]->memberRows();
    ASSERT_EQ(members.size(), 2u);
    EXPECT_EQ(members[0]->checkBox(), nullptr) << "the keeper";
    EXPECT_EQ(page.groupViews()[0]->dividerCount(), 1);
    for (auto* row : members) {
        row->resize(600, 60);
        row->layout()->activate();
    }
    EXPECT_EQ(members[0]->previewButton()->x(), members[1]->previewButton()->x()) << "the keeper's icon lines up";
    auto* box = members[1]->checkBox();
    std::optional<testing::AccessibleEvents> events;  // where a bridge listens (a desktop test)
    if (testing::AccessibleEvents::live()) events.emplace();
    box->click();
    EXPECT_TRUE(vm->result().items[1].isSelected);
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(page.groupViews()[0]->memberRows()[1], members[1]) << "followed in place, not rebuilt";
    box->click();
    EXPECT_FALSE(vm->result().items[1].isSelected);
    // A screen reader says the new state with the name the box has then: the copy's new fate.
    if (!events) return;
    std::vector<std::pair<bool, bool>> told;  // checked, "will be deleted"
    for (const auto& check : events->checks())
        if (check.object == box) told.emplace_back(check.checked, check.name.ends_with("will be deleted"));
    EXPECT_EQ(told, (std::vector<std::pair<bool, bool>>{{true, true}, {false, false}}));
}

TEST_F(ScanFlowPagesTest, APhotoRowShowsItsThumbnailOnceDecodedOffTheWindowsThread) {
    testing::TempDir dir;
    QImage photo(400, 300, QImage::Format_RGB32);
    photo.fill(Qt::blue);
    for (const char* name : {"Pictures/sea.png", "Downloads/sea.png"}) {
        std::filesystem::create_directories((dir / name).parent_path());
        ASSERT_TRUE(photo.save(QString::fromStdString((dir / name).string()), "PNG"));
    }
    dir.write("Documents/notes.pdf", "a document");
    std::vector<model::CleanItem> items{
        copy((dir / "Pictures/sea.png").string(), "g", true), copy((dir / "Downloads/sea.png").string(), "g", false),
        copy((dir / "Documents/notes.pdf").string(), "d", true), copy((dir / "Downloads/notes.pdf").string(), "d", false)};
    h.scanTo(*vm, items);
    testing::ManualExecutor workers;
    testing::ManualMainQueue main;
    DuplicateGroupsResultsView page(*vm, nullptr, ThumbnailServices{workers, main, (dir / "thumbnails").string()});
    ASSERT_EQ(page.groupViews().size(), 2u);
    const auto rowsOf = [&](std::size_t group) { return page.groupViews()[group]->memberRows(); };
    EXPECT_FALSE(rowsOf(0)[0]->showsThumbnail()) << "nothing decoded on the window's thread";

    workers.runAll();
    EXPECT_FALSE(rowsOf(0)[0]->showsThumbnail()) << "shown on the window's thread, once posted back";
    main.drain();
    for (auto* row : rowsOf(0)) {
        ASSERT_TRUE(row->showsThumbnail());
        const auto shown = row->previewButton()->icon().pixmap(QSize(40, 40)).toImage();
        // Decoded by the scan's readers: the grey of blue.
        EXPECT_EQ(shown.pixelColor(shown.rect().center()), QColor(28, 28, 28));
    }
    for (auto* row : rowsOf(1)) EXPECT_FALSE(row->showsThumbnail()) << "a document keeps its icon";

    // New groups rebuild the page: its kept thumbnails show at once.
    items.push_back(copy((dir / "Desktop/other.pdf").string(), "e", true));
    items.push_back(copy((dir / "Downloads/other.pdf").string(), "e", false));
    h.scanTo(*vm, items);
    ASSERT_EQ(page.groupViews().size(), 3u);
    EXPECT_EQ(workers.pendingCount(), 0u);
    EXPECT_TRUE(page.groupViews()[0]->memberRows()[1]->showsThumbnail());
}

TEST_F(ScanFlowPagesTest, SelectAllThenCleanDeletesEveryCopyButTheKeepers) {
    auto keeper = copy("/h/Pictures/a.jpg", "g1", true);
    keeper.isSelected = true;
    h.scanTo(*vm, {keeper, copy("/h/Downloads/a.jpg", "g1", false), copy("/h/Desktop/a.jpg", "g1", false),
                   copy("/h/Documents/r.pdf", "g2", true), copy("/h/Downloads/r.pdf", "g2", false)});
    vm->scanState.set(model::scan_state::Done{});
    auto* dialogs = new AgreeingDialogs;
    MainContentView pane(*vm, h.clock, {clipboard, h.clock, nullptr, ""}, nullptr,
                         std::unique_ptr<MainContentDialogs>(dialogs));
    vm->sidebarSelection.set(SidebarSelection::category(CategoryType::duplicates));
    auto* results = dynamic_cast<ResultsView*>(pane.page());
    ASSERT_NE(results, nullptr);
    auto* duplicates = dynamic_cast<DuplicateGroupsResultsView*>(results->content());
    ASSERT_NE(duplicates, nullptr);

    duplicates->selectAllButton()->click();
    pane.requestClean();
    ASSERT_EQ(h.engine.cleans.size(), 1u);
    std::vector<std::string> deleted;
    for (const auto& item : h.engine.cleans.back().items) deleted.push_back(item.path);
    EXPECT_EQ(deleted, (std::vector<std::string>{"/h/Downloads/a.jpg", "/h/Desktop/a.jpg", "/h/Downloads/r.pdf"}));
}

TEST_F(ScanFlowPagesTest, ALongListOpensWithABatchOfRowsAndBuildsMoreOnDemand) {
    std::vector<model::CleanItem> items;
    for (int i = 0; i < 10'000; ++i) {
        auto item = scannedItem("/h/Library/Caches/c" + std::to_string(i), CategoryType::appCaches, 10'000 - i);
        item.subcategory = i % 2 == 0 ? "Browsers" : "Editors";
        items.push_back(std::move(item));
    }
    h.scanTo(*vm, std::move(items));
    vm->sidebarSelection.set(SidebarSelection::category(CategoryType::appCaches));
    ResultsView page(rows(), nullptr);
    auto* list = dynamic_cast<ResultsListView*>(page.content());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->headerLabel()->text(), "10,000 items");
    EXPECT_EQ(list->rows().size(), static_cast<std::size_t>(LazyColumn::kBatch));
    list->list()->fetchMore();
    EXPECT_EQ(list->rows().size(), static_cast<std::size_t>(2 * LazyColumn::kBatch));

    auto* first = list->rows()[0];
    first->checkBox()->click();
    EXPECT_FALSE(vm->result().items[0].isSelected);
    EXPECT_EQ(list->rows()[0], first) << "a toggle keeps the built rows";
    EXPECT_FALSE(first->checkBox()->isChecked());
}

TEST_F(ScanFlowPagesTest, CleaningRowsFollowTheRunInPlace) {
    const auto a = scannedItem("/h/.Trash/a", CategoryType::trash, 10);
    const auto b = scannedItem("/h/.Trash/b", CategoryType::trash, 20);
    h.scanTo(*vm, {a, b});
    CleaningView page(*vm);
    vm->startClean(std::nullopt, false);
    ASSERT_EQ(page.rows().size(), 2u);
    auto* row = page.rows()[0];
    EXPECT_FALSE(page.currentStrip()->isVisibleTo(&page));

    auto& clean = h.engine.cleans.back();
    clean.progress({model::CleaningProgressEvent::Kind::started, a, 0, 2, {}});
    EXPECT_EQ(page.rows()[0], row);
    EXPECT_TRUE(page.currentStrip()->isVisibleTo(&page));
    EXPECT_EQ(page.currentName()->text(), "a");
    clean.progress({model::CleaningProgressEvent::Kind::failed, a, 0, 2, "busy"});
    EXPECT_EQ(row->shown().message, "busy");
    EXPECT_TRUE(row->messageLabel()->isVisibleTo(row));
    EXPECT_EQ(page.countLine()->text(), "1 of 2 items");
    EXPECT_TRUE(page.failureLine()->isVisibleTo(&page));
}

TEST_F(ScanFlowPagesTest, ATileOpensItsCategory) {
    h.scanTo(*vm, {scannedItem("/h/.Trash/a", CategoryType::trash, 10),
                   scannedItem("/h/Library/Logs/b", CategoryType::systemCaches, 20)});
    std::vector<std::string> confirmations;
    DiskSpaceView page(*vm, DiskInfo{1000, 400}, h.clock,
                       [&](const CleanConfirmation& confirmation) { confirmations.push_back(confirmation.title); });
    ASSERT_NE(page.categories(), nullptr);
    ASSERT_EQ(page.categories()->tileButtons().size(), 2u);
    page.categories()->tileButtons()[1]->click();
    EXPECT_EQ(vm->sidebarSelection(), SidebarSelection::category(CategoryType::trash));

    vm->sidebarSelection.set(SidebarSelection::overview());
    ASSERT_NE(page.hero()->button(), nullptr);
    page.hero()->button()->click();
    EXPECT_EQ(confirmations, std::vector<std::string>{"Clean 30 bytes?"});
    EXPECT_EQ(page.hero()->ring()->centerLabel()->text(), "60%");
}

TEST_F(ScanFlowPagesTest, TabVisitsTheHeroBeforeTheTilesAfterTheHeroIsMadeAgain) {
    h.scanTo(*vm, {scannedItem("/h/.Trash/a", CategoryType::trash, 10),
                   scannedItem("/h/Library/Logs/b", CategoryType::systemCaches, 20)});
    DiskSpaceView page(*vm, DiskInfo{1000, 400}, h.clock, [](const CleanConfirmation&) {});
    page.resize(840, 700);
    page.show();
    QApplication::setActiveWindow(&page);
    auto* hero = page.hero();
    vm->scanState.set(model::scan_state::Scanning{});
    ASSERT_NE(page.hero(), hero) << "another button: a new hero card";
    QCoreApplication::processEvents();
    ASSERT_NE(page.hero()->button(), nullptr);
    const auto visited = testing::tabRound(page);
    const auto at = [&](const QWidget* control) { return std::find(visited.begin(), visited.end(), control) - visited.begin(); };
    ASSERT_LT(at(page.hero()->button()), static_cast<std::ptrdiff_t>(visited.size()));
    for (auto* tile : page.categories()->tileButtons()) EXPECT_LT(at(page.hero()->button()), at(tile));
}

}  // namespace
}  // namespace zentrel::ui
