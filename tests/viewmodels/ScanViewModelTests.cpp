#include "ScanViewModelHarness.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace zentrel::viewmodels {
namespace {

using model::CategoryType;
using testing::scannedItem;
namespace state = model::scan_state;

class ScanViewModelTest : public ::testing::Test {
protected:
    testing::ScanViewModelHarness h;
    std::shared_ptr<ScanViewModel> vm = h.make();

    std::vector<model::CleanItem> twoCategories() {
        return {scannedItem("/h/Library/Caches/a", CategoryType::systemCaches, 3000),
                scannedItem("/h/Library/Developer/Xcode/DerivedData/b", CategoryType::xcode, 5000),
                scannedItem("/h/Downloads/big.iso", CategoryType::largeFiles, 9000, false)};
    }
    // A full foreground scan answered with `items`.
    void scanTo(std::vector<model::CleanItem> items) {
        vm->startScan(false, true, false, false);
        h.engine.fullScans.back().done(std::move(items));
    }
};

TEST_F(ScanViewModelTest, AFullScanStoresEveryStatistic) {
    vm->startScan(false, true, false, false);
    ASSERT_EQ(h.engine.fullScans.size(), 1u);
    EXPECT_TRUE(h.engine.fullScans[0].includeUserContent);
    EXPECT_TRUE(h.engine.fullScans[0].includeExtended);
    EXPECT_EQ(vm->scanState(), model::ScanState(state::Scanning{0.0, "Starting scan..."}));
    h.engine.fullScans[0].progress(0.5, "Scanning Trash...");
    EXPECT_EQ(vm->scanState(), model::ScanState(state::Scanning{0.5, "Scanning Trash..."}));

    h.engine.fullScans[0].done(twoCategories());
    EXPECT_EQ(vm->scanState(), model::ScanState(state::Done{}));
    EXPECT_FALSE(vm->isScanRunning());
    EXPECT_TRUE(vm->isBackgroundScanComplete());
    EXPECT_EQ(vm->scannedCategories().size(), 12u);
    EXPECT_EQ(h.standard.real("lastScanDate"), h.clock.now().timeIntervalSince1970());
    EXPECT_EQ(h.standard.real("lastScanFoundBytes"), 17000.0);
    EXPECT_EQ(h.standard.integer("lastScanItemCount"), 3);
    EXPECT_EQ(h.standard.real("lastSafeCleanableBytes"), 8000.0);
    EXPECT_EQ(h.prefs.lastScanCategoryTotals(),
              (std::map<CategoryType, std::int64_t>{{CategoryType::xcode, 5000},
                                                    {CategoryType::systemCaches, 3000},
                                                    {CategoryType::largeFiles, 9000}}));
    ASSERT_TRUE(h.prefs.lastSmartCleanupPlan());
    EXPECT_EQ(h.prefs.lastSmartCleanupPlan()->itemCount, 2);

    // Nothing safe to recommend: the stored plan goes.
    vm->resetScan(true);
    scanTo({scannedItem("/h/Downloads/big.iso", CategoryType::largeFiles, 9000, false)});
    EXPECT_FALSE(h.prefs.hasSmartCleanupPlan());
    EXPECT_EQ(vm->categoryFigures(CategoryType::largeFiles), (CategoryFigures{0, 0})) << "nothing recommended";
    h.prefs.setViewMode(model::ViewMode::advanced);
    EXPECT_EQ(vm->categoryFigures(CategoryType::largeFiles), (CategoryFigures{9000, 1}));
}

TEST_F(ScanViewModelTest, ASupersededScanIsDroppedWithItsProgress) {
    vm->startScan(false, true, false, false);
    auto old = h.engine.fullScans.front();
    vm->resetScan(true);
    EXPECT_EQ(vm->scanState(), model::ScanState(state::Idle{}));
    vm->startScan(false, true, false, false);
    ASSERT_EQ(h.engine.fullScans.size(), 2u);

    old.progress(0.9, "old");
    EXPECT_EQ(vm->scanState(), model::ScanState(state::Scanning{0.0, "Starting scan..."}));
    old.done(twoCategories());
    EXPECT_TRUE(vm->result().items.empty());
    EXPECT_TRUE(vm->isScanRunning()) << "the newer scan still runs";

    h.engine.fullScans.back().done({scannedItem("/h/x", CategoryType::trash, 10)});
    EXPECT_EQ(vm->result().items.size(), 1u);
    vm->startScan(false, true, false, false);
    EXPECT_EQ(h.engine.fullScans.size(), 2u) << "no new scan from the done state";
}

TEST_F(ScanViewModelTest, ABackgroundScanKeepsTheOldItemsAndCoversTheBaseCategories) {
    scanTo(twoCategories());
    vm->resetScan(false);
    EXPECT_EQ(vm->scanState(), model::ScanState(state::Done{})) << "items are on screen";
    vm->resetScan(true);
    vm->startScan(true, false, false, false);
    EXPECT_FALSE(h.engine.fullScans.back().includeUserContent);
    EXPECT_FALSE(h.engine.fullScans.back().includeExtended);
    EXPECT_EQ(vm->result().items.size(), 3u);
    h.engine.fullScans.back().done({});
    EXPECT_EQ(vm->scannedCategories(), (std::set<CategoryType>{CategoryType::xcode, CategoryType::devTools,
                                                               CategoryType::appCaches, CategoryType::systemCaches,
                                                               CategoryType::trash, CategoryType::iosBackups}));
}

TEST_F(ScanViewModelTest, CancellingFallsBackToWhatIsKnown) {
    vm->startScan(false, true, false, false);
    vm->cancelScan();
    EXPECT_EQ(vm->scanState(), model::ScanState(state::Idle{}));

    h.standard.setInteger("lastScanItemCount", 4);
    h.prefs.setLastScanCategoryTotals({{CategoryType::trash, 700}, {CategoryType::xcode, 0}});
    h.standard.setReal("lastSafeCleanableBytes", std::nan(""));
    auto restored = h.make();
    EXPECT_EQ(restored->scanState(), model::ScanState(state::Done{}));
    EXPECT_EQ(restored->scannedCategories(), std::set<CategoryType>{CategoryType::trash});
    EXPECT_EQ(h.prefs.lastScanCategoryTotals().at(CategoryType::trash), 700);
    EXPECT_EQ(restored->safeCleanableBytes(), 0) << "a stored total that is not a number reads as 0";
    restored->resetScan(true);
    restored->startScan(false, true, false, false);
    restored->cancelScan();
    EXPECT_EQ(restored->scanState(), model::ScanState(state::Done{}));
}

TEST_F(ScanViewModelTest, ACategoryScanAfterARestartChangesOnlyItsCategory) {
    h.standard.setInteger("lastScanItemCount", 5);
    h.prefs.setLastScanCategoryTotals({{CategoryType::devTools, 31'800'000}, {CategoryType::systemCaches, 7000}});
    auto restored = h.make();
    restored->scanCategory(CategoryType::startup, true);
    ASSERT_EQ(h.engine.categoryScans.size(), 1u);
    h.engine.categoryScans[0].done({scannedItem("/h/.config/autostart/sync.desktop", CategoryType::startup, 300)});

    h.prefs.setViewMode(model::ViewMode::advanced);
    EXPECT_EQ(restored->categoryFigures(CategoryType::devTools).bytes, 31'800'000) << "not scanned since the restart";
    EXPECT_TRUE(restored->categoryFigures(CategoryType::devTools).fromLastScan);
    EXPECT_EQ(restored->categoryFigures(CategoryType::startup), (CategoryFigures{300, 1}));
    const std::map<CategoryType, std::int64_t> stored = {
        {CategoryType::devTools, 31'800'000}, {CategoryType::systemCaches, 7000}, {CategoryType::startup, 300}};
    EXPECT_EQ(h.prefs.lastScanCategoryTotals(), stored);
    EXPECT_EQ(h.standard.real("lastScanFoundBytes"), 31'807'300.0);
}

TEST_F(ScanViewModelTest, AfterARestartACategoryScanAndACleanKeepTheOtherCategoriesFiguresAndPlan) {
    const auto firstScan = h.clock.now();
    scanTo(twoCategories());
    h.clock.advance(std::chrono::hours(48));
    auto restored = h.make();
    restored->scanCategory(CategoryType::systemCaches, true);
    h.engine.categoryScans.back().done({scannedItem("/h/.cache/b", CategoryType::systemCaches, 4000)});

    using Figures = model::StoredCategoryFigures;
    EXPECT_EQ(h.prefs.lastScanCategoryFigures(),
              (std::map<CategoryType, Figures>{{CategoryType::xcode, {5000, 1, firstScan}},
                                               {CategoryType::systemCaches, {4000, 1, h.clock.now()}},
                                               {CategoryType::largeFiles, {9000, 1, firstScan}}}));
    EXPECT_EQ(h.standard.integer("lastScanItemCount"), 3);
    ASSERT_TRUE(h.prefs.lastSmartCleanupPlan());
    EXPECT_EQ(h.prefs.lastSmartCleanupPlan()->totalBytes, 9000.0) << "Xcode's recommendation is kept";
    EXPECT_EQ(h.prefs.lastSmartCleanupPlan()->itemCount, 2);
    EXPECT_EQ(h.standard.real("lastSafeCleanableBytes"), 9000.0);
    EXPECT_TRUE(restored->smartCleanupPlan().isSummaryOnly) << "Xcode's items are not loaded";
    EXPECT_EQ(restored->safeCleanableBytes(), 9000);

    restored->startClean(CategoryType::systemCaches, false);
    h.engine.cleans.back().done({4000, {}, {}, std::nullopt});
    EXPECT_EQ(h.prefs.lastSmartCleanupPlan()->totalBytes, 5000.0);
    EXPECT_EQ(h.standard.integer("lastScanItemCount"), 2);
    EXPECT_EQ(restored->categoryFigures(CategoryType::systemCaches), (CategoryFigures{0, 0}));
    EXPECT_EQ(restored->categoryFigures(CategoryType::xcode), (CategoryFigures{5000, 1, true, firstScan}));
}

TEST_F(ScanViewModelTest, ALazyCategoryScanAddsItsItemsOnce) {
    scanTo(twoCategories());
    vm->scannedCategories.modify([](auto& set) { set.erase(CategoryType::privacy); });
    vm->scanCategory(CategoryType::privacy, false);
    EXPECT_EQ(vm->lazyScanningCategory(), CategoryType::privacy);
    EXPECT_EQ(vm->scanState(), model::ScanState(state::Scanning{0.0, "Scanning privacy..."}));
    vm->scanCategory(CategoryType::duplicates, false);
    ASSERT_EQ(h.engine.categoryScans.size(), 1u) << "one category scan at a time";

    h.engine.categoryScans[0].done({scannedItem("/h/.zsh_history", CategoryType::privacy, 4000)});
    EXPECT_EQ(vm->scanState(), model::ScanState(state::Done{}));
    EXPECT_FALSE(vm->lazyScanningCategory());
    ASSERT_EQ(vm->result().items.size(), 4u);
    EXPECT_EQ(vm->result().items[1].path, "/h/Library/Developer/Xcode/DerivedData/b") << "largest first";
    EXPECT_TRUE(vm->scannedCategories().contains(CategoryType::privacy));
    EXPECT_EQ(h.standard.integer("lastScanItemCount"), 4);

    vm->scanCategory(CategoryType::privacy, false);
    EXPECT_EQ(h.engine.categoryScans.size(), 1u) << "already scanned";
    vm->scanCategory(CategoryType::privacy, true);
    EXPECT_EQ(h.engine.categoryScans.size(), 2u);
    EXPECT_EQ(vm->result().items.size(), 3u) << "a forced rescan drops the category's items first";
}

TEST_F(ScanViewModelTest, ACleanWithOneFailureKeepsThatItem) {
    auto items = twoCategories();
    items.push_back(scannedItem("", CategoryType::devProjects, 100));
    scanTo(items);
    vm->startClean(std::nullopt, false);
    ASSERT_EQ(h.engine.cleans.size(), 1u);
    auto clean = h.engine.cleans[0];
    ASSERT_EQ(clean.items.size(), 3u);
    EXPECT_EQ(vm->cleaningActivity().size(), 3u);

    const auto advice = ScanViewModel::deletionKey(clean.items[2]);
    EXPECT_EQ(advice, clean.items[2].id.string());
    clean.progress({model::CleaningProgressEvent::Kind::started, clean.items[0], 0, 3, {}});
    EXPECT_EQ(vm->scanState(), model::ScanState(state::Cleaning{0.0}));
    clean.progress({model::CleaningProgressEvent::Kind::succeeded, clean.items[0], 0, 3, {}});
    clean.progress({model::CleaningProgressEvent::Kind::failed, clean.items[2], 2, 3, "no file"});
    EXPECT_EQ(vm->scanState(), model::ScanState(state::Cleaning{1.0}));
    EXPECT_EQ(vm->cleaningActivity()[2].status, model::CleaningActivityEntry::Status::failed("no file"));

    clean.done({8000, {advice}, {{advice, "no file"}}, std::nullopt});
    EXPECT_EQ(vm->scanState(), model::ScanState(state::Done{}));
    ASSERT_EQ(vm->result().items.size(), 2u);
    EXPECT_EQ(vm->failedDeletionKeys(), std::set<std::string>{advice});
    ASSERT_EQ(vm->cleanFailures().size(), 1u);
    EXPECT_EQ(vm->cleanFailures()[0].errorMessage, "no file");
    EXPECT_EQ(h.prefs.cleaningHistory().size(), 1u);
    EXPECT_EQ(h.widgets.reloads, std::vector<std::string>{"DiskRingWidget"});
    vm->showFirstFailure();
    EXPECT_EQ(vm->sidebarSelection(), model::SidebarSelection::category(CategoryType::devProjects));

    // A successful retry clears the mark.
    vm->startClean(CategoryType::devProjects, false);
    h.engine.cleans.back().done({100, {}, {}, std::nullopt});
    EXPECT_TRUE(vm->failedDeletionKeys().empty());
    EXPECT_EQ(vm->scanState(), model::ScanState(state::Cleaned{100, CategoryType::devProjects}))
        << "the result belongs to the page that cleaned";
}

TEST_F(ScanViewModelTest, BackupsNoSweepNeedsArePurgedAtStartAndAfterEachCleanAndUndo) {
    const auto sweep = [&](double expiresIn, bool restored) {
        return model::SweepRecord{platform::Uuid::random(), h.clock.now(), h.clock.now().addingTimeInterval(expiresIn),
                                  {{platform::Uuid::random(), model::SweepActionKind::fileTruncated, "x", {}, "/b",
                                    "/h/x", restored}},
                                  1};
    };
    const auto live = sweep(86400, false), expired = sweep(-1, false), restored = sweep(86400, true);
    const auto damagedID = platform::Uuid::random();
    auto stored = nlohmann::json::array({model::encodeSweepRecord(live), model::encodeSweepRecord(expired),
                                         model::encodeSweepRecord(restored),
                                         {{"id", damagedID.string()}, {"kind", "unknown"}}});
    h.standard.setData("sweepLog", platform::bytesOf(stored.dump()));
    auto started = h.make();
    ASSERT_FALSE(h.restorer.purges.empty());
    EXPECT_EQ(h.restorer.purges.back(), (std::set<platform::Uuid>{live.id, damagedID}));

    started->startScan(false, true, false, false);
    h.engine.fullScans.back().done({scannedItem("/h/.zsh_history", CategoryType::privacy, 50)});
    started->startClean(std::nullopt, false);
    const auto made = sweep(86400, false);
    h.engine.cleans.back().done({50, {}, {}, made});
    EXPECT_EQ(h.restorer.purges.back(), (std::set<platform::Uuid>{made.id, live.id, damagedID}));
    started->undoSweep(made.actions[0], made);
    EXPECT_EQ(h.restorer.purges.back(), (std::set<platform::Uuid>{live.id, damagedID}));

    // A log that cannot be read at all purges nothing.
    h.standard.setData("sweepLog", platform::bytesOf("not a list"));
    const auto purges = h.restorer.purges.size();
    (void)h.make();
    EXPECT_EQ(h.restorer.purges.size(), purges);
}

TEST_F(ScanViewModelTest, ASweepCutShortIsTakenIntoTheLogBeforeAnyPurge) {
    const model::SweepRecord cutShort{platform::Uuid::random(), h.clock.now(), h.clock.now().addingTimeInterval(86400),
                                      {{platform::Uuid::random(), model::SweepActionKind::fileTruncated, "x", {}, "/b",
                                        "/h/x", false}},
                                      1};
    h.restorer.journalRecords = {cutShort};
    const auto purges = h.restorer.purges.size();
    (void)h.make();
    ASSERT_EQ(h.prefs.sweepLog().size(), 1u);
    EXPECT_EQ(h.prefs.sweepLog()[0].id, cutShort.id);
    ASSERT_GT(h.restorer.purges.size(), purges);
    EXPECT_TRUE(h.restorer.purges.back().contains(cutShort.id)) << "its backups are kept";
}

TEST_F(ScanViewModelTest, ASweepRecordCanBeUndoneActionByAction) {
    auto item = scannedItem("/h/.zsh_history", CategoryType::privacy, 50);
    scanTo({item});
    vm->startClean(std::nullopt, false);
    const model::SweepAction action{platform::Uuid::random(), model::SweepActionKind::fileTruncated, ".zsh_history",
                                    "/h/.zsh_history", "/backup", "/h/.zsh_history", false};
    const model::SweepRecord record{platform::Uuid::random(), h.clock.now(), h.clock.now().addingTimeInterval(86400),
                                    {action}, 50};
    h.engine.cleans.back().done({50, {}, {}, record});
    EXPECT_TRUE(vm->showSweepLog());
    ASSERT_EQ(h.prefs.sweepLog().size(), 1u);

    vm->undoSweep(action, record);
    ASSERT_EQ(h.restorer.restored.size(), 1u);
    ASSERT_TRUE(vm->lastSweepRecord());
    EXPECT_TRUE(vm->lastSweepRecord()->actions[0].isRestored);
    EXPECT_TRUE(h.prefs.sweepLog()[0].actions[0].isRestored);

    // A whole store put back undoes every action of it.
    const model::SweepAction sibling{platform::Uuid::random(), model::SweepActionKind::cookieDomain, "Chrome: b",
                                     "b", "/backup/Cookies", "/h/Cookies", false};
    auto withSibling = record;
    withSibling.id = platform::Uuid::random();
    withSibling.actions = {sibling, sibling};
    withSibling.actions[0].id = platform::Uuid::random();
    (void)h.prefs.appendSweepRecord(withSibling);
    h.restorer.alsoUndone = {withSibling.actions[1].id};
    vm->undoSweep(withSibling.actions[0], withSibling);
    const auto log = h.prefs.sweepLog();
    for (const auto& stored : log[0].actions) EXPECT_TRUE(stored.isRestored);
    h.restorer.alsoUndone.clear();

    const auto stateBefore = vm->scanState();
    h.restorer.failure = "Chrome is running: quit Chrome and undo again";
    vm->undoSweep(withSibling.actions[0], withSibling);
    EXPECT_EQ(vm->sweepUndoRefusal(),
              (viewmodels::SweepUndoRefusal{withSibling.actions[0].id, "Chrome is running: quit Chrome and undo again"}));
    EXPECT_EQ(vm->scanState(), stateBefore) << "the window behind the sweep log keeps its page";
    h.restorer.failure.reset();
    vm->undoSweep(action, record);
    EXPECT_FALSE(vm->sweepUndoRefusal()) << "a successful undo takes the note away";

    // Rows the store holds again settle the action, and the log says so.
    auto alreadyBack = withSibling;
    alreadyBack.id = platform::Uuid::random();
    alreadyBack.actions = {sibling};
    (void)h.prefs.appendSweepRecord(alreadyBack);
    h.restorer.alreadyBack = true;
    vm->undoSweep(alreadyBack.actions[0], alreadyBack);
    EXPECT_EQ(vm->sweepUndoRefusal(), (viewmodels::SweepUndoRefusal{sibling.id, "Already restored", true}));
    for (const auto& stored : h.prefs.sweepLog()) {
        if (stored.id == alreadyBack.id) {
            EXPECT_TRUE(stored.actions[0].isRestored);
        }
    }
}

TEST_F(ScanViewModelTest, OnlyOneCleanRunsAtATime) {
    h.standard.setBool("autoCleanEnabled", true);
    vm->startScan(false, true, true, false);
    h.engine.fullScans.back().done(twoCategories());
    EXPECT_EQ(h.engine.cleans.size(), 1u) << "the automatic clean and the clean after the scan do not both run";
    vm->startClean(std::nullopt, false);
    EXPECT_EQ(h.engine.cleans.size(), 1u);
    h.engine.cleans.back().done({8000, {}, {}, std::nullopt});
    EXPECT_EQ(vm->scanState(), model::ScanState(state::Done{})) << "an automatic clean ends in done";
    EXPECT_FALSE(vm->isCleaning());
}

TEST_F(ScanViewModelTest, NotificationsFollowTheSetting) {
    scanTo(twoCategories());
    h.clock.advance(std::chrono::seconds(2));
    EXPECT_TRUE(h.notificationCenter.shown.empty());

    h.standard.setBool("notificationsEnabled", true);
    vm->resetScan(true);
    scanTo(twoCategories());
    vm->startClean(std::nullopt, false);
    h.engine.cleans.back().done({8000, {}, {}, std::nullopt});
    EXPECT_TRUE(h.notificationCenter.shown.empty()) << "shown a second later";
    h.clock.advance(std::chrono::seconds(1));
    ASSERT_EQ(h.notificationCenter.shown.size(), 2u);
    EXPECT_EQ(h.notificationCenter.shown[0].title, "Scan Complete");
    EXPECT_EQ(h.notificationCenter.shown[1].title, "All Clean!");
    EXPECT_NE(h.notificationCenter.shown[0].identifier, h.notificationCenter.shown[1].identifier);
}

TEST_F(ScanViewModelTest, SelectionOperationsKeepTheOrder) {
    scanTo(twoCategories());
    vm->deselectAll(CategoryType::xcode);
    EXPECT_EQ(vm->selectedItems().size(), 1u);
    vm->selectAll(CategoryType::largeFiles);
    EXPECT_EQ(vm->items(CategoryType::largeFiles).size(), 1u);
    vm->selectRecommended();
    EXPECT_EQ(vm->selectedItems().size(), 2u) << "the selection is replaced";
    vm->toggleItem(vm->result().items[0].id);
    EXPECT_FALSE(vm->result().items[0].isSelected);
    vm->sidebarSelection.set(model::SidebarSelection::category(CategoryType::xcode));
    EXPECT_EQ(vm->displayedItems().size(), 1u);
    EXPECT_EQ(vm->currentCategorySizeText(), "5 KB");

    // The report is dated by the view model's clock, date long and time short.
    const auto report = vm->exportReport();
    EXPECT_EQ(report.rfind("Zentrel Scan Report\n======================\nDate: November 1", 0), 0u) << report;
    EXPECT_NE(report.find("Items Found:    3\n"), std::string::npos);
}

TEST(IntentBridgeTest, HeldIntentsRunOnceInOrderAtRegistration) {
    testing::ScanViewModelHarness h;
    IntentBridge bridge;
    std::vector<int> ran;
    bridge.perform([&](ScanViewModel&) { ran.push_back(1); });
    bridge.perform([&](ScanViewModel&) { ran.push_back(2); });
    EXPECT_EQ(bridge.pendingCount(), 2u);
    auto vm = h.make();
    bridge.registerViewModel(vm);
    EXPECT_EQ(ran, (std::vector<int>{1, 2}));
    bridge.registerViewModel(vm);
    EXPECT_EQ(ran.size(), 2u);
    bridge.perform([&](ScanViewModel&) { ran.push_back(3); });
    EXPECT_EQ(ran.back(), 3);
    vm.reset();
    bridge.perform([&](ScanViewModel&) { ran.push_back(4); });
    EXPECT_EQ(bridge.pendingCount(), 1u) << "the bridge does not keep the view model alive";
}

TEST_F(ScanViewModelTest, ReadOnlyItemsAreNeverSelected) {
    auto items = twoCategories();
    items[0].isReadOnly = true;
    items[0].isSelected = true;
    scanTo(items);
    EXPECT_FALSE(vm->result().items[0].isSelected) << "a scan's own selection is dropped";
    vm->toggleItem(vm->result().items[0].id);
    vm->selectAll(CategoryType::systemCaches);
    vm->selectAllSafe();
    EXPECT_FALSE(vm->result().items[0].isSelected);

    // Listed, never counted in what a clean frees, in either view.
    h.prefs.setViewMode(model::ViewMode::advanced);
    EXPECT_EQ(vm->categoryFigures(CategoryType::systemCaches), (CategoryFigures{0, 0}));
    EXPECT_EQ(vm->foundBytes(), 14000);
    EXPECT_EQ(h.standard.real("lastScanFoundBytes"), 14000.0);
}

// Cookies removed from a store free no space; the result counts them instead.
TEST_F(ScanViewModelTest, ACleanOfTrackerCookiesCountsThemInItsResult) {
    auto cookies = scannedItem("/h/Cookies", CategoryType::privacy, 0);
    cookies.privacyDomains = {"x.com", "y.com"};
    cookies.deletionMethod = model::DeletionMethod::clearTrackerCookies("/h/Cookies", cookies.privacyDomains,
                                                                        model::BrowserKind::chrome);
    cookies.isSelected = true;
    scanTo({cookies});
    vm->startClean(CategoryType::privacy, false);
    h.engine.cleans.back().done({0, {}, {}, std::nullopt});
    EXPECT_EQ(vm->scanState(), model::ScanState(state::Cleaned{0, CategoryType::privacy, 2}));
}

}  // namespace
}  // namespace zentrel::viewmodels
