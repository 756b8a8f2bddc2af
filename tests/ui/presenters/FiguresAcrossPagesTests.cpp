// Every page that shows a figure shows the same one: after a scan, a clean
// and a restart, in either view mode.
#include "ui/presenters/DuplicatesPresenter.hpp"
#include "ui/presenters/MainContentPresenter.hpp"
#include "ui/presenters/MenuBarPresenter.hpp"
#include "ui/presenters/OverviewPresenter.hpp"
#include "ui/presenters/ResultsPresenter.hpp"
#include "ui/presenters/ScanProgressPresenter.hpp"
#include "ui/presenters/SidebarPresenter.hpp"

#include "doubles/ScopedDesktopTexts.hpp"
#include "platform/text/ByteCountFormatter.hpp"
#include "viewmodels/ScanViewModelHarness.hpp"

#include <gtest/gtest.h>

namespace zentrel::ui {
namespace {

using model::CategoryType;
using model::SidebarSelection;
using model::ViewMode;
using testing::scannedItem;
namespace state = model::scan_state;

std::string fileSize(std::int64_t bytes) { return platform::formatByteCount(bytes, platform::ByteCountStyle::file); }

model::CleanItem duplicate(std::string path, std::string group, std::int64_t size, bool keeper, bool exact) {
    auto item = scannedItem(std::move(path), CategoryType::duplicates, keeper ? 0 : size, exact && !keeper);
    item.duplicateGroupId = std::move(group);
    item.isDuplicateKeeper = keeper;
    item.subcategory = exact ? "dup:exact" : "dup:photo";
    return item;
}

// A home with safe recommendations, items to review, an exact pair of PDFs
// and a similar pair of photos.
std::vector<model::CleanItem> home() {
    return {scannedItem("/h/.cache/thumbnails", CategoryType::systemCaches, 3000),
            scannedItem("/h/.cache/fontconfig", CategoryType::systemCaches, 2000, false),
            scannedItem("/h/.local/share/Trash/files/a", CategoryType::trash, 1000),
            scannedItem("/h/Downloads/disk.img", CategoryType::largeFiles, 9000, false),
            duplicate("/h/Documents/thesis.pdf", "pdf", 4000, true, true),
            duplicate("/h/Downloads/thesis.pdf", "pdf", 4000, false, true),
            duplicate("/h/Pictures/beach.jpg", "beach", 1500, true, false),
            duplicate("/h/Pictures/beach-small.jpg", "beach", 1500, false, false)};
}

// What one category's page shows: the size and number of the items it
// lists, or, for a category known only from the last scan, the figures it
// quotes ("5 KB · 2 items", empty for none).
struct PageFigures {
    std::int64_t bytes = 0;
    std::int64_t count = 0;
    std::optional<std::string> quoted;
};

PageFigures pageFigures(viewmodels::ScanViewModel& vm, CategoryType category) {
    vm.sidebarSelection.set(SidebarSelection::category(category));
    PageFigures page;
    if (detailRoute(vm).kind == DetailRoute::Kind::categoryPrompt) {
        page.quoted = categoryScanPrompt(vm, category, "en").lastScanFigures;
        page.bytes = vm.categoryFigures(category).bytes;
    } else if (category == CategoryType::duplicates) {
        for (const auto& group : vm.duplicateGroups()) {
            for (const auto& member : group.members) {
                if (member.isKeeper) continue;
                page.bytes += member.sizeBytes;
                ++page.count;
            }
        }
    } else {
        for (const auto& group : resultsContent(vm).groups) {
            for (const auto& item : group.items) {
                page.bytes += item.sizeBytes;
                ++page.count;
            }
        }
    }
    vm.sidebarSelection.set(SidebarSelection::overview());
    return page;
}

// Sidebar, overview tile, popover row and page of every category agree;
// the overview's "can free up" is their sum.
void expectEveryPageAgrees(viewmodels::ScanViewModel& vm, const std::string& when) {
    const auto tiles = topCategories(vm);
    const auto rows = popoverCategoryRows(vm);
    std::int64_t found = 0;
    for (auto category : vm.categories()) {
        const auto page = pageFigures(vm, category);
        found += page.bytes;
        const auto name = when + ": " + std::string(model::rawValue(category));
        const auto sidebar = sidebarCategorySize(vm, category);
        EXPECT_EQ(sidebar, page.bytes >= 1 ? std::optional(fileSize(page.bytes)) : std::nullopt) << name;
        if (page.quoted) {
            EXPECT_EQ(page.quoted->substr(0, sidebar.value_or("").size()), sidebar.value_or("")) << name;
        }
        for (const auto& tile : tiles) {
            if (tile.category != category) continue;
            EXPECT_EQ(tile.bytes, page.bytes) << name;
            if (page.quoted) {
                EXPECT_EQ(*page.quoted, tile.value + " \u00B7 " + tile.caption) << name;
            } else {
                EXPECT_EQ(tile.count, page.count) << name;
            }
        }
        const auto row = std::ranges::find(rows, category, &CategoryRowContent::category);
        if (row != rows.end()) {
            EXPECT_EQ(row->sizeText, fileSize(page.bytes)) << name;
        }
    }
    const auto hero = heroCard(vm, std::nullopt);
    if (found >= 1) {
        EXPECT_EQ(hero.statusText, "Zentrel can free up " + fileSize(found)) << when;
    } else {
        EXPECT_FALSE(hero.showsFoundBytes) << when;
    }
}

TEST(FiguresAcrossPagesTest, AfterCleaningThePlanEveryPageAgreesAndARestartShowsTheSame) {
    for (const auto mode : {ViewMode::recommended, ViewMode::advanced}) {
        testing::ScanViewModelHarness h;
        h.prefs.setViewMode(mode);
        auto vm = h.make();
        h.scanTo(*vm, home());
        expectEveryPageAgrees(*vm, "scanned");

        ASSERT_EQ(pressHeroButton(*vm), HeroOutcome::confirmClean);
        ASSERT_TRUE(confirmClean(*vm, smartCleanupConfirmation(*vm)));
        ASSERT_EQ(h.engine.cleans.size(), 1u);
        h.engine.cleans.back().done({8000, {}, {}, std::nullopt});
        vm->scanState.set(state::Done{});

        expectEveryPageAgrees(*vm, "cleaned");
        const auto hero = heroCard(*vm, std::nullopt);
        EXPECT_NE(hero.button, HeroButton::smartCleanup) << "nothing left to recommend";
        EXPECT_TRUE(vm->smartCleanupPlan().items.empty());
        EXPECT_EQ(vm->safeCleanableBytes(), 0);
        EXPECT_FALSE(vm->hasCleanableData());
        // The cleaned PDF's keeper has nothing left to be a copy of.
        const auto duplicates = duplicateResults(*vm);
        ASSERT_EQ(duplicates.groups.size(), 1u);
        EXPECT_EQ(duplicates.groups[0].id, "beach");
        const auto report = vm->exportReport();
        EXPECT_EQ(report.find("thesis.pdf"), std::string::npos);
        EXPECT_EQ(report.find("thumbnails"), std::string::npos);
        EXPECT_NE(report.find(vm->categoryTitle(CategoryType::duplicates) + " \u2014 " + fileSize(1500) + " (1 items"),
                  std::string::npos)
            << "the copy left, not its keeper";
        EXPECT_FALSE(h.prefs.hasSmartCleanupPlan());
        EXPECT_EQ(h.standard.real("lastSafeCleanableBytes"), 0.0);
        EXPECT_FALSE(h.prefs.lastScanCategoryTotals().contains(CategoryType::trash));

        const auto tiles = topCategories(*vm);
        const auto status = heroCard(*vm, std::nullopt).statusText;
        auto restored = h.make();
        expectEveryPageAgrees(*restored, "restarted");
        EXPECT_EQ(topCategories(*restored), tiles);
        EXPECT_EQ(heroCard(*restored, std::nullopt).statusText, status);
    }
}

TEST(FiguresAcrossPagesTest, TheSmartCleanupButtonNamesAndConfirmsExactlyThePlan) {
    testing::ScanViewModelHarness h;
    auto vm = h.make();
    auto safeOnly = scannedItem("/h/.cache/pip", CategoryType::devTools, 2000);
    safeOnly.isRecommended = false;
    safeOnly.isSelected = false;
    auto items = home();
    items.push_back(safeOnly);
    h.scanTo(*vm, items);
    // The user ticked a file to review and unticked a recommendation.
    vm->deselectAll(CategoryType::systemCaches);
    for (const auto& item : vm->result().items)
        if (item.category == CategoryType::largeFiles) vm->toggleItem(item.id);
    std::set<platform::Uuid> selectedBefore;
    for (const auto& item : vm->selectedItems()) selectedBefore.insert(item.id);

    const auto plan = vm->smartCleanupPlan();
    const auto hero = heroCard(*vm, std::nullopt);
    EXPECT_EQ(hero.buttonTitle, "Smart Cleanup \u2014 free up " + fileSize(plan.totalBytes));
    ASSERT_EQ(pressHeroButton(*vm), HeroOutcome::confirmClean);
    const auto confirmation = smartCleanupConfirmation(*vm);
    std::set<platform::Uuid> planIds;
    for (const auto& item : plan.items) planIds.insert(item.id);
    EXPECT_EQ(confirmation.itemIds, planIds);
    EXPECT_EQ(confirmation.bytes, plan.totalBytes);
    EXPECT_EQ(confirmation.title, "Clean " + fileSize(plan.totalBytes) + "?");
    EXPECT_EQ(std::set(confirmation.firstNames.begin(), confirmation.firstNames.end()).size(),
              confirmation.firstNames.size());
    std::set<platform::Uuid> selectedNow;
    for (const auto& item : vm->selectedItems()) selectedNow.insert(item.id);
    EXPECT_EQ(selectedNow, selectedBefore) << "nothing changes before the answer";

    ASSERT_TRUE(confirmClean(*vm, confirmation));
    std::set<platform::Uuid> cleaned;
    for (const auto& item : h.engine.cleans.back().items) cleaned.insert(item.id);
    EXPECT_EQ(cleaned, planIds);
}

TEST(FiguresAcrossPagesTest, ARestoredPlanIsNamedAndVerifiedByAScanBeforeAnythingIsCleaned) {
    testing::ScanViewModelHarness h;
    auto scanned = h.make();
    h.scanTo(*scanned, home());
    const auto total = scanned->smartCleanupPlan().totalBytes;
    auto restored = h.make();
    // A scan of one category loads its items; the others stay figures of the last scan.
    restored->scanCategory(CategoryType::startup, true);
    h.engine.categoryScans.back().done({scannedItem("/h/.config/autostart/a.desktop", CategoryType::startup, 10, false)});

    EXPECT_TRUE(restored->smartCleanupPlan().isSummaryOnly);
    EXPECT_EQ(restored->smartCleanupPlan().totalBytes, total);
    EXPECT_EQ(heroCard(*restored, std::nullopt).buttonTitle, "Smart Cleanup \u2014 free up " + fileSize(total));
    EXPECT_EQ(menuBarButtons(*restored)[1].title, "Quick Clean (" + fileSize(total) + ")");
    EXPECT_EQ(pressHeroButton(*restored), HeroOutcome::scanStarted);
    EXPECT_TRUE(h.engine.cleans.empty());
}

TEST(FiguresAcrossPagesTest, SidebarCardAndPageCountTheSameItemsInEachViewMode) {
    const testing::ScopedDesktopTexts english;
    testing::ScanViewModelHarness h;
    auto vm = h.make();
    h.scanTo(*vm, home());
    const struct {
        ViewMode mode;
        std::int64_t systemCacheBytes;
        std::string header;
    } cases[] = {{ViewMode::recommended, 3000, "1 item"}, {ViewMode::advanced, 5000, "2 items"}};
    for (const auto& c : cases) {
        h.prefs.setViewMode(c.mode);
        expectEveryPageAgrees(*vm, c.header);
        EXPECT_EQ(sidebarCategorySize(*vm, CategoryType::systemCaches), fileSize(c.systemCacheBytes));
        vm->sidebarSelection.set(SidebarSelection::category(CategoryType::systemCaches));
        EXPECT_EQ(resultsContent(*vm).headerText, c.header);
        vm->sidebarSelection.set(SidebarSelection::overview());
        const auto tiles = topCategories(*vm);
        const auto tile = std::ranges::find(tiles, CategoryType::systemCaches, &CategoryTile::category);
        ASSERT_NE(tile, tiles.end());
        EXPECT_EQ(tile->caption, c.header);
    }
}

TEST(FiguresAcrossPagesTest, LooksCleanIsSaidOnlyOfACategoryScannedAndFoundEmpty) {
    const struct {
        ViewMode mode;
        std::vector<model::CleanItem> items;
        std::string message;
    } cases[] = {
        {ViewMode::recommended, {scannedItem("/h/.cache/a", CategoryType::systemCaches, 10, false)},
         "Switch to Advanced view to see everything."},
        {ViewMode::recommended, {}, "This category looks clean."},
        {ViewMode::advanced, {}, "This category looks clean."},
    };
    for (const auto& c : cases) {
        testing::ScanViewModelHarness h;
        h.prefs.setViewMode(c.mode);
        auto vm = h.make();
        h.scanTo(*vm, c.items);
        vm->sidebarSelection.set(SidebarSelection::category(CategoryType::systemCaches));
        ASSERT_EQ(detailRoute(*vm).kind, DetailRoute::Kind::results);
        EXPECT_EQ(resultsContent(*vm).emptyMessage, c.message);
    }

    // Figures of the last scan without its items: not "looks clean".
    testing::ScanViewModelHarness h;
    h.prefs.setViewMode(ViewMode::advanced);
    auto scanned = h.make();
    h.scanTo(*scanned, home());
    auto restored = h.make();
    restored->scanCategory(CategoryType::startup, true);
    h.engine.categoryScans.back().done({});
    restored->sidebarSelection.set(SidebarSelection::category(CategoryType::systemCaches));
    EXPECT_EQ(detailRoute(*restored).kind, DetailRoute::Kind::categoryPrompt);
    restored->sidebarSelection.set(SidebarSelection::category(CategoryType::startup));
    EXPECT_EQ(detailRoute(*restored).kind, DetailRoute::Kind::results);
    EXPECT_EQ(resultsContent(*restored).emptyMessage, "This category looks clean.");
}

TEST(FiguresAcrossPagesTest, RestoredFiguresKeepTheirCountsAndThePageSaysWhenTheyWereFound) {
    const testing::ScopedDesktopTexts english;
    testing::ScanViewModelHarness h;
    h.prefs.setViewMode(ViewMode::advanced);
    auto scanned = h.make();
    h.scanTo(*scanned, home());
    h.clock.advance(std::chrono::hours(24 * 3));
    auto restored = h.make();

    const auto tiles = topCategories(*restored);
    ASSERT_FALSE(tiles.empty());
    EXPECT_EQ(tiles.front().category, CategoryType::largeFiles);
    EXPECT_EQ(tiles.front().caption, "1 item");
    EXPECT_EQ(topCategories(*restored), topCategories(*scanned));
    expectEveryPageAgrees(*restored, "restarted");

    const auto prompt = categoryScanPrompt(*restored, CategoryType::systemCaches, "en", "UTC");
    EXPECT_EQ(prompt.lastScanFigures, "5 KB \u00B7 2 items");
    EXPECT_EQ(prompt.message, "These figures are from the last scan on Nov 14, 2023. Scan this category again to see "
                              "the items and clean them.");
    EXPECT_EQ(prompt.buttonTitle, "Scan Category");
    EXPECT_EQ(categoryScanPrompt(*restored, CategoryType::devTools, "en").lastScanFigures, "") << "never found";

    // The report quotes the same figures, without items to list.
    const auto line = [](const std::string& report, const std::string& start) {
        const auto at = report.find(start);
        return at == std::string::npos ? std::string() : report.substr(at, report.find('\n', at) - at);
    };
    const auto scannedReport = scanned->exportReport();
    const auto restoredReport = restored->exportReport();
    EXPECT_EQ(line(restoredReport, "Total Found:"), line(scannedReport, "Total Found:"));
    EXPECT_EQ(line(restoredReport, "Items Found:"), line(scannedReport, "Items Found:"));
    EXPECT_TRUE(line(restoredReport, "System Caches \u2014").starts_with("System Caches \u2014 5 KB (2 items, from the last scan on "))
        << restoredReport;
    EXPECT_EQ(restoredReport.find("thumbnails"), std::string::npos);

    // Statistics stored by an earlier version: sizes without counts or dates.
    h.prefs.setLastScanCategoryTotals({{CategoryType::systemCaches, 5000}});
    h.standard.remove("lastScanDate");
    auto older = h.make();
    EXPECT_EQ(topCategories(*older).front().caption, "From the last scan");
    const auto olderPrompt = categoryScanPrompt(*older, CategoryType::systemCaches, "en");
    EXPECT_EQ(olderPrompt.lastScanFigures, "5 KB");
    EXPECT_EQ(olderPrompt.message,
              "These figures are from the last scan. Scan this category again to see the items and clean them.");
}

}  // namespace
}  // namespace zentrel::ui
