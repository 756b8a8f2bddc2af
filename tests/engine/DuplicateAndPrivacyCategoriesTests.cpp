#include "engine/DuplicateAndPrivacyCategories.hpp"

#include "platform/files/PosixFileSystem.hpp"

#include "doubles/ManualExecutor.hpp"
#include "doubles/ManualMainQueue.hpp"
#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

namespace zentrel::engine {
namespace {

model::DuplicateMember member(const std::string& path, bool keeper) {
    return {path, path, 1000, {}, {}, {}, keeper};
}

TEST(DuplicateItemsTest, TheKeeperStaysAndTheCopiesAreSelected) {
    model::DuplicateGroup group{"g1", model::DuplicateKind::documentHash,
                                {member("/h/Documents/a.pdf", false), member("/h/Documents/best.pdf", true),
                                 member("/h/Downloads/a copy.pdf", false)}};
    auto items = duplicateItems({group});
    ASSERT_EQ(items.size(), 3u);
    EXPECT_TRUE(items[0].isSelected);
    EXPECT_EQ(items[0].warningMessage, "Keeping: best.pdf");
    EXPECT_EQ(items[0].subcategory, "dup:exact");
    EXPECT_EQ(items[0].safetyLevel, model::SafetyLevel::safe);
    EXPECT_FALSE(items[1].isSelected);
    EXPECT_TRUE(items[1].isDuplicateKeeper);
    EXPECT_EQ(items[1].safetyLevel, model::SafetyLevel::review);
    EXPECT_EQ(items[1].friendlyDescription, "Best copy \u2014 kept automatically");
    EXPECT_EQ(items[2].name, "a copy.pdf");
    EXPECT_EQ(items[2].duplicateGroupId, "g1");
    EXPECT_NE(items[0].id, items[2].id);

    model::DuplicateGroup noKeeper{"g2", model::DuplicateKind::perceptualImage,
                                   {member("/a.jpg", false), member("/b.jpg", false)}};
    for (const auto& item : duplicateItems({noKeeper})) {
        EXPECT_FALSE(item.isSelected);
        EXPECT_FALSE(item.warningMessage);
        EXPECT_EQ(item.subcategory, "dup:photo");
    }
}

TEST(DuplicateItemsTest, OnlyCopiesCountAndOnlyExactCopiesAreTickedInAdvance) {
    auto sparseCopy = member("/h/Downloads/disk copy.img", false);
    sparseCopy.allocatedBytes = 300;
    auto linked = member("/h/Downloads/linked.img", false);
    linked.hasOtherLinks = true;
    const model::DuplicateGroup exact{"g1", model::DuplicateKind::exactBytes,
                                      {member("/h/Documents/disk.img", true), sparseCopy, linked}};
    const model::DuplicateGroup similar{"g2", model::DuplicateKind::perceptualImage,
                                        {member("/h/Pictures/a.jpg", true), member("/h/Pictures/a small.jpg", false)}};
    std::vector<std::pair<std::int64_t, bool>> figures;
    for (const auto& item : duplicateItems({exact, similar})) figures.emplace_back(item.sizeBytes, item.isSelected);
    const std::vector<std::pair<std::int64_t, bool>> expected = {
        {0, false}, {300, true}, {0, true},  // the keeper frees nothing, a sparse copy its blocks, a link nothing
        {0, false}, {1000, false}};          // a similar picture is the user's call
    EXPECT_EQ(figures, expected);
}

TEST(PrivacyItemsTest, EachKindGetsItsDeletionAndSubcategory) {
    model::PrivacyGroup cookies{"cookie:chrome:Default", model::PrivacyKind::trackerCookie, model::BrowserKind::chrome,
                                "Chrome \u2014 Default", "t.com", {{"s", "1 tracker cookies", "/c/Cookies", {"t.com"}, 10, true}}, 1};
    model::PrivacyGroup orphan = cookies;
    orphan.browser.reset();
    model::PrivacyGroup history{"recents:terminal_history", model::PrivacyKind::recentsList, std::nullopt, "Terminal History",
                                "d", {{"terminal:Zsh History", "Zsh History", "/h/.zsh_history", {}, 5, false}}, 0};
    model::PrivacyGroup finder{"recents:finder_recents", model::PrivacyKind::recentsList, std::nullopt, "Finder Recents",
                               "d", {{"f", "Finder Recents", "/h/x", {}, 5, false}}, 0};
    model::PrivacyGroup clipboard{"pasteboard:insight", model::PrivacyKind::pasteboardInsight, std::nullopt,
                                  "Clipboard Insights", "Detected: Email address",
                                  {{"pasteboard:current", "Clipboard content", "", {}, 19, false}}, 0};

    auto items = privacyItems({cookies, orphan, history, finder, clipboard});
    ASSERT_EQ(items.size(), 4u);  // the cookie group of no browser builds nothing
    EXPECT_EQ(items[0].subcategory, "priv:cookie:chrome");
    EXPECT_EQ(items[0].deletionMethod,
              model::DeletionMethod::clearTrackerCookies("/c/Cookies", {"t.com"}, model::BrowserKind::chrome));
    EXPECT_TRUE(items[0].isSelected);
    EXPECT_EQ(items[1].deletionMethod, model::DeletionMethod::truncateFile());
    EXPECT_FALSE(items[1].isSelected);
    EXPECT_EQ(items[1].warningMessage, "Review before clearing \u2014 you can undo within 24 hours");
    EXPECT_EQ(items[2].deletionMethod, model::DeletionMethod::remove());
    EXPECT_EQ(items[3].deletionMethod, model::DeletionMethod::clearPasteboard());
    EXPECT_EQ(items[3].subcategory, "priv:pasteboard");
    EXPECT_EQ(items[3].privacyGroupId, "pasteboard:insight");
    EXPECT_EQ(privacySubcategory(orphan), "priv:cookie:unknown");
}

TEST(PrivacyItemsTest, ABusyStoreIsShownButNeverChosen) {
    model::PrivacyGroup busy{"cookie:firefox:a", model::PrivacyKind::trackerCookie, model::BrowserKind::firefox,
                             "Firefox \u2014 a", "Firefox is running: quit Firefox and scan again",
                             {{"s", "Cookie store in use", "/f/cookies.sqlite", {}, 0, true, true}}, 0};
    const auto items = privacyItems({busy});
    ASSERT_EQ(items.size(), 1u);
    EXPECT_TRUE(items[0].privacyStoreBusy);
    EXPECT_FALSE(items[0].isSelected);
    EXPECT_FALSE(items[0].isRecommended);
    EXPECT_EQ(items[0].warningMessage, "Firefox is running: quit Firefox and scan again");
}

TEST(DuplicateAndPrivacyScannersTest, ScansReplaceTheCachedGroupsAndLeaveOptionalTracesOut) {
    testing::TempDir home;
    platform::PosixFileSystem fileSystem;
    testing::ManualExecutor pool;
    testing::ManualMainQueue main;
    CleanerEngine engine(fileSystem, pool, main);
    int clipboardReads = 0;
    registerDuplicateAndPrivacyScanners(engine, {platform::HostTable::macos(platform::HostLayout::forHome(home.path(), {})), [] { return scanners::PrivacyScanner::ScanOptions{}; },
                                                 [&] {
                                                     ++clipboardReads;
                                                     return scanners::ClipboardInsight{};
                                                 }});
    const std::string content(150000, 'd');
    home.write("Documents/a.bin", content);
    home.write("Downloads/a.bin", content);
    home.write(".zsh_history", "ls\n");
    engine.cachedPrivacyGroups.push_back({});

    auto duplicates = engine.runScanner(ScannerID::duplicates);
    EXPECT_EQ(duplicates.size(), 2u);
    EXPECT_EQ(engine.cachedDuplicateGroups.size(), 1u);
    auto privacy = engine.runScanner(ScannerID::privacy);
    EXPECT_TRUE(privacy.empty());
    EXPECT_TRUE(engine.cachedPrivacyGroups.empty());  // replaced, not kept from before
    EXPECT_EQ(clipboardReads, 0);
}

}  // namespace
}  // namespace zentrel::engine
