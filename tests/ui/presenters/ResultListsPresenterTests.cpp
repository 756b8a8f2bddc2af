#include "ui/presenters/DuplicatesPresenter.hpp"
#include "ui/presenters/ResultsPresenter.hpp"

#include "doubles/ScopedDesktopTexts.hpp"
#include "viewmodels/ScanViewModelHarness.hpp"

#include <gtest/gtest.h>

#include <map>

namespace zentrel::ui {
namespace {

using model::CategoryType;
using model::SidebarSelection;
using testing::scannedItem;

model::CleanItem copy(std::string path, std::string group, bool keeper, std::string kind = "dup:exact") {
    auto item = scannedItem(std::move(path), CategoryType::duplicates, 1000, false);
    item.duplicateGroupId = std::move(group);
    item.isDuplicateKeeper = keeper;
    item.subcategory = std::move(kind);
    return item;
}

class ResultListsPresenterTest : public ::testing::Test {
protected:
    testing::ScanViewModelHarness h;
    std::shared_ptr<viewmodels::ScanViewModel> vm = h.make();
};

TEST_F(ResultListsPresenterTest, DuplicateRowsOfferACheckBoxOnlyForCopiesWithAnItem) {
    auto photo = copy("/h/Pictures/a.jpg", "g1", true, "dup:photo");
    auto photoCopy = copy("/h/Downloads/a copy.jpg", "g1", false, "dup:photo");
    auto bigFile = scannedItem("/h/Downloads/a copy.jpg", CategoryType::largeFiles, 1000);
    h.scanTo(*vm, {bigFile, photo, photoCopy, copy("/h/Documents/r.pdf", "g2", false),
                   copy("/h/Desktop/r.pdf", "g2", true), copy("/h/Movies/v.mov", "g3", false, "dup:video"),
                   copy("/h/Movies/v2.mov", "g3", true, "dup:video")});

    const auto results = duplicateResults(*vm);
    EXPECT_EQ(results.headerText, "3 duplicate groups");
    ASSERT_EQ(results.groups.size(), 3u);
    const auto& group = results.groups[0];
    EXPECT_EQ(group.countText, "Similar") << "alike pictures are no copies";
    EXPECT_EQ(group.freeText, "Free up 1 KB");
    EXPECT_EQ(results.groups[1].countText, "2 copies");
    EXPECT_EQ(group.kindPill, (Pill{"Photos", "photo", PillVariant::ai}));
    ASSERT_EQ(group.members.size(), 2u);
    EXPECT_FALSE(group.members[0].showsCheckBox) << "the keeper";
    EXPECT_EQ(group.members[0].keepPill->text, "Keep");
    EXPECT_TRUE(group.members[1].showsCheckBox);
    EXPECT_EQ(group.members[1].itemId, photoCopy.id) << "the duplicates item, not the large file";
    EXPECT_FALSE(group.members[1].keepPill);
    EXPECT_TRUE(group.members[0].dividerAfter);
    EXPECT_FALSE(group.members[1].dividerAfter);
    EXPECT_EQ(results.groups[1].kindPill.text, "Exact") << "document matches read as exact";
    EXPECT_EQ(results.groups[2].kindPill, (Pill{"Video", "film", PillVariant::ai}));
    EXPECT_TRUE(group.members[1].isPicture);
    EXPECT_FALSE(results.groups[1].members[0].isPicture) << "a document";
    EXPECT_FALSE(results.groups[2].members[0].isPicture) << "a video";

}

TEST_F(ResultListsPresenterTest, EachDuplicateRowIsNamedByItsFileFolderSizeAndFate) {
    const testing::ScopedDesktopTexts english;
    auto chosen = copy("/h/Downloads/thesis.pdf", "g", false);
    chosen.isSelected = true;
    h.scanTo(*vm, {copy("/h/Documents/thesis.pdf", "g", true), chosen, copy("/srv/shared/thesis.pdf", "g", false),
                   copy("/h/thesis.pdf", "g", false)});
    struct Row {
        std::string name;
        std::string preview;
    };
    const std::map<std::string, Row> expected{
        {"/h/Documents/thesis.pdf",
         {"thesis.pdf, in ~/Documents, 1 KB, kept", "Preview thesis.pdf, in ~/Documents, 1 KB, kept"}},
        {"/h/Downloads/thesis.pdf", {"thesis.pdf, in ~/Downloads, 1 KB, will be deleted", "Preview thesis.pdf"}},
        {"/srv/shared/thesis.pdf", {"thesis.pdf, in /srv/shared, 1 KB, kept", "Preview thesis.pdf"}},
        {"/h/thesis.pdf", {"thesis.pdf, in ~, 1 KB, kept", "Preview thesis.pdf"}},
    };
    const auto groups = duplicateResults(*vm, "/h/").groups;
    ASSERT_EQ(groups.size(), 1u);
    ASSERT_EQ(groups[0].members.size(), expected.size());
    for (const auto& member : groups[0].members) {
        EXPECT_EQ(member.accessibleName, expected.at(member.path).name);
        EXPECT_EQ(member.previewName, expected.at(member.path).preview);
    }
    EXPECT_EQ(folderFromHome("/hx/a", "/h"), "/hx/a") << "a folder beside the home is no part of it";
}

TEST_F(ResultListsPresenterTest, AWalkStoppedAtTheCandidateLimitSaysHowFarItGot) {
    h.engine.walkStop = scanners::CandidateLimitStop{5000, "/h/Documents/x.pdf", {"/h/Downloads", "/h/Desktop"}};
    h.scanTo(*vm, {});
    auto results = duplicateResults(*vm);
    EXPECT_EQ(results.limitNotice,
              "Stopped early: the limit of 5,000 files to compare was reached at /h/Documents/x.pdf; files from there "
              "on were not compared. Not reached: /h/Downloads, /h/Desktop.");
    EXPECT_EQ(results.emptyMessage, results.limitNotice + " Files under 100 KB are not compared.")
        << "never \"look clean\" when some were not looked at";

    h.engine.walkStop.reset();
    h.scanTo(*vm, {copy("/h/Pictures/a.jpg", "g1", true), copy("/h/Desktop/a.jpg", "g1", false)});
    EXPECT_EQ(duplicateResults(*vm).limitNotice, "");
    EXPECT_EQ(duplicateResults(*vm).scopeNote, "Files under 100 KB are not compared.") << "said with or without a stop";

    h.engine.picturesTooLarge = 3;
    h.scanTo(*vm, {});
    EXPECT_EQ(duplicateResults(*vm).limitNotice, "3 pictures were too large to compare and were left out.");
}

TEST_F(ResultListsPresenterTest, SizesSharedByMoreFilesThanAreComparedAreCounted) {
    const testing::ScopedDesktopTexts english;
    h.engine.cappedSizes = {{200'000, 13, 12}};
    h.scanTo(*vm, {});
    EXPECT_EQ(duplicateResults(*vm).limitNotice, "13 files of 200 KB share a size; 12 were compared.");
    EXPECT_EQ(duplicateResults(*vm).emptyMessage,
              "13 files of 200 KB share a size; 12 were compared. Files under 100 KB are not compared.")
        << "never \"look clean\" when some were not compared";

    h.engine.cappedSizes = {{100'000, 20, 12}, {200'000, 13, 12}, {300'000, 14, 12}, {400'000, 15, 12}, {500'000, 16, 12}};
    h.scanTo(*vm, {});
    EXPECT_EQ(duplicateResults(*vm).limitNotice,
              "20 files of 100 KB share a size; 12 were compared. 13 files of 200 KB share a size; 12 were compared. "
              "14 files of 300 KB share a size; 12 were compared. 31 more files share 2 other sizes the same way; 24 "
              "of them were compared.");
    const testing::ScopedDesktopTexts vietnamese("vi");
    h.engine.cappedSizes = {{200'000, 13, 12}};
    EXPECT_EQ(duplicateResults(*vm).limitNotice,
              "13 t\u1ec7p 200 KB c\u00f9ng m\u1ed9t k\u00edch th\u01b0\u1edbc; \u0111\u00e3 so s\u00e1nh 12 t\u1ec7p.");
}

TEST_F(ResultListsPresenterTest, SelectAllSelectsEveryCopyButNeverAKeeper) {
    auto keeper = copy("/h/Pictures/a.jpg", "g1", true);
    keeper.isSelected = true;
    auto other = scannedItem("/h/.Trash/x", CategoryType::trash, 10);
    other.isSelected = false;
    h.scanTo(*vm, {keeper, copy("/h/Downloads/a.jpg", "g1", false), copy("/h/Desktop/a.jpg", "g1", false), other});
    selectDuplicateCopies(*vm);
    std::vector<std::string> selected;
    for (const auto& item : vm->selectedItems()) selected.push_back(item.path);
    EXPECT_EQ(selected, (std::vector<std::string>{"/h/Downloads/a.jpg", "/h/Desktop/a.jpg"}));
    deselectDuplicates(*vm);
    EXPECT_TRUE(vm->selectedItems().empty());
}

TEST_F(ResultListsPresenterTest, ResultsRouteTheirCategoryAndGroupBySubcategory) {
    const testing::ScopedDesktopTexts english;
    auto named = [](std::string path, std::string subcategory, bool safe = true) {
        auto item = scannedItem(std::move(path), CategoryType::largeFiles, 100, safe);
        item.subcategory = std::move(subcategory);
        return item;
    };
    EXPECT_EQ(groupedBySubcategory({named("/a", "Large Files")}).front().title, std::nullopt);
    const auto groups = groupedBySubcategory({named("/a", "b"), named("/b", "Large Files"), named("/c", "b")});
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].title, "Large Files") << "upper case sorts first";
    EXPECT_EQ(groups[1].items.size(), 2u);

    h.scanTo(*vm, {named("/h/a.iso", "Large Files", false)});
    vm->sidebarSelection.set(SidebarSelection::category(CategoryType::largeFiles));
    auto content = resultsContent(*vm);
    EXPECT_EQ(content.kind, ResultsKind::empty);
    EXPECT_EQ(content.emptyMessage, "Switch to Advanced view to see everything.");
    h.standard.setString("viewMode", "advanced");
    content = resultsContent(*vm);
    EXPECT_EQ(content.kind, ResultsKind::advanced);
    EXPECT_EQ(content.headerText, "1 item");
    vm->sidebarSelection.set(SidebarSelection::category(CategoryType::trash));
    EXPECT_EQ(resultsContent(*vm).emptyMessage, "This category looks clean.");
    vm->sidebarSelection.set(SidebarSelection::category(CategoryType::duplicates));
    EXPECT_EQ(resultsContent(*vm).kind, ResultsKind::duplicates) << "even when empty";
}

TEST_F(ResultListsPresenterTest, SelectAllOfTheFriendlyListLeavesTheHiddenItemsAlone) {
    auto hidden = scannedItem("/h/Library/Caches/big", CategoryType::appCaches, 100, false);
    auto shown = scannedItem("/h/Library/Caches/small", CategoryType::appCaches, 10);
    shown.isSelected = false;
    h.scanTo(*vm, {hidden, shown, scannedItem("/h/.Trash/t", CategoryType::trash, 5, false)});
    vm->sidebarSelection.set(SidebarSelection::category(CategoryType::appCaches));
    selectAllShown(*vm);
    ASSERT_EQ(vm->selectedItems().size(), 1u);
    EXPECT_EQ(vm->selectedItems()[0].path, "/h/Library/Caches/small");
    h.standard.setString("viewMode", "advanced");
    selectAllShown(*vm);
    EXPECT_EQ(vm->selectedItems().size(), 2u);
    deselectAllShown(*vm);
    EXPECT_TRUE(vm->selectedItems().empty());
}

}  // namespace
}  // namespace zentrel::ui
