#include "model/CategoryType.hpp"
#include "model/CleaningProgress.hpp"
#include "model/ScanResult.hpp"
#include "model/ScanState.hpp"
#include "model/SidebarSelection.hpp"

#include "platform/text/ByteCountFormatter.hpp"
#include "platform/text/Localization.hpp"

#include <gtest/gtest.h>

#include <unordered_set>

namespace zentrel::model {
namespace {

TEST(CategoryTypeTest, StoredTextsAreExactAndInDeclarationOrder) {
    const std::array<std::string_view, 12> stored = {"Xcode", "Dev Tools", "Dev Projects", "App Caches",
                                                     "System Caches", "Trash & Downloads", "Large Files", "iOS Backups",
                                                     "Duplicates", "Privacy", "Startup Items", "iCloud"};
    ASSERT_EQ(kAllCategories.size(), 12u);
    EXPECT_EQ(kAllCategories.front(), CategoryType::xcode);
    EXPECT_EQ(kAllCategories.back(), CategoryType::icloud);
    for (std::size_t i = 0; i < stored.size(); ++i) {
        EXPECT_EQ(rawValue(kAllCategories[i]), stored[i]);
        EXPECT_EQ(categoryFromRaw(stored[i]), kAllCategories[i]);
        EXPECT_EQ(static_cast<std::size_t>(info(kAllCategories[i]).category), i);
    }
    for (std::string_view unknown : {"trash", "large files", "Trash", "", "Xcode "})
        EXPECT_EQ(categoryFromRaw(unknown), std::nullopt) << unknown;
}

TEST(CategoryTypeTest, DisplayTablesAndTheLocalizedTitle) {
    EXPECT_EQ(friendlyName(CategoryType::trash), "Trash & Old Files");
    EXPECT_EQ(friendlyName(CategoryType::iosBackups), "iPhone/iPad Backups");
    EXPECT_EQ(friendlyName(CategoryType::largeFiles), "Large Files");
    EXPECT_EQ(icon(CategoryType::privacy), "eye.slash.fill");
    EXPECT_EQ(icon(CategoryType::startup), "power");
    EXPECT_EQ(color(CategoryType::icloud), color(CategoryType::xcode));
    EXPECT_EQ(color(CategoryType::startup), NamedColor::mint);

    EXPECT_EQ(displayName(CategoryType::devTools), "Dev Tools");
    auto& localization = platform::Localization::shared();
    localization.addTranslations("vi", {{"Dev Tools", "Công cụ lập trình"}});
    localization.setLanguage("vi");
    EXPECT_EQ(displayName(CategoryType::devTools), "Công cụ lập trình");
    EXPECT_EQ(displayName(CategoryType::icloud), "iCloud");  // no translation: the stored text
    localization.setLanguage("en");
}

CleanItem item(std::int64_t size, bool selected) {
    CleanItem made;
    made.id = platform::Uuid::random();
    made.name = "cache";
    made.sizeBytes = size;
    made.isSelected = selected;
    return made;
}

TEST(ScanResultTest, SelectedBytesCountsOnlySelectedItems) {
    EXPECT_EQ(ScanResult{}.selectedBytes(), 0);
    EXPECT_EQ((ScanResult{{item(5000, false)}}).selectedBytes(), 0);
    EXPECT_EQ((ScanResult{{item(1000, true), item(5000, false), item(24, true)}}).selectedBytes(), 1024);
}

TEST(ScanStateTest, EqualOnlyForTheSamePhaseAndPayload) {
    using namespace scan_state;
    EXPECT_EQ(ScanState(Scanning{0.5, "a"}), ScanState(Scanning{0.5, "a"}));
    EXPECT_NE(ScanState(Scanning{0.5, "a"}), ScanState(Scanning{0.5, "b"}));
    EXPECT_NE(ScanState(Scanning{0.5, "a"}), ScanState(Scanning{0.50001, "a"}));
    EXPECT_NE(ScanState(Cleaned{0}), ScanState(Done{}));
    EXPECT_NE(ScanState(Idle{}), ScanState(Done{}));
    EXPECT_EQ(ScanState(Error{"x"}), ScanState(Error{"x"}));
}

TEST(SidebarSelectionTest, CategoryPagesCompareByCategory) {
    const auto privacy = SidebarSelection::category(CategoryType::privacy);
    EXPECT_EQ(privacy, SidebarSelection::category(CategoryType::privacy));
    EXPECT_NE(privacy, SidebarSelection::category(CategoryType::duplicates));
    EXPECT_NE(privacy, SidebarSelection::overview());
    std::unordered_set<SidebarSelection> pages{privacy, SidebarSelection::category(CategoryType::privacy),
                                               SidebarSelection::overview(), SidebarSelection::settings()};
    EXPECT_EQ(pages.size(), 3u);
}

TEST(DeletionMethodTest, TrackerCookieClearingComparesItsWholePayload) {
    auto a = DeletionMethod::clearTrackerCookies("/s", {"a.com", "b.com"}, BrowserKind::chrome);
    EXPECT_EQ(a, DeletionMethod::clearTrackerCookies("/s", {"a.com", "b.com"}, BrowserKind::chrome));
    EXPECT_NE(a, DeletionMethod::clearTrackerCookies("/s", {"b.com", "a.com"}, BrowserKind::chrome));
    EXPECT_NE(a, DeletionMethod::clearTrackerCookies("/s", {"a.com", "b.com"}, BrowserKind::edge));
    EXPECT_NE(DeletionMethod::remove(), DeletionMethod::truncateFile());
    EXPECT_EQ(DeletionMethod::emptyTrash(), DeletionMethod::emptyTrash());
}

TEST(CleaningRowsTest, RowsAndFailuresTakeTheFriendlyNameOrElseTheName) {
    auto named = item(1500, true);
    named.category = CategoryType::appCaches;
    named.path = "/h/Library/Caches/x";
    auto row = CleaningActivityEntry::pendingRow(named);
    EXPECT_EQ(row.id, named.id);
    EXPECT_EQ(row.name, "cache");
    EXPECT_EQ(row.sizeFormatted, platform::formatByteCount(1500));
    EXPECT_EQ(row.status, CleaningActivityEntry::Status::pending());
    EXPECT_NE(CleaningActivityEntry::Status::failed("a"), CleaningActivityEntry::Status::failed("b"));

    named.friendlyName = "Browser cache";
    EXPECT_EQ(CleaningActivityEntry::pendingRow(named).name, "Browser cache");
    auto failure = CleanFailureInfo::forItem(named, std::nullopt);
    EXPECT_EQ(failure.name, "Browser cache");
    EXPECT_EQ(failure.path, named.path);
    EXPECT_NE(failure, CleanFailureInfo::forItem(named, std::string()));
    EXPECT_EQ(badgeText(SafetyLevel::safe), "Safe to delete");
    EXPECT_EQ(badgeText(SafetyLevel::review), "Review before deleting");
}

}  // namespace
}  // namespace zentrel::model
