#include "engine/CacheAndTrashScanners.hpp"

#include "doubles/FakeFileSystem.hpp"
#include "doubles/ManualExecutor.hpp"
#include "doubles/ManualMainQueue.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

namespace zentrel::engine {
namespace {

using ::testing::ElementsAre;

const platform::Date kNow = platform::Date::fromTimeIntervalSince1970(1'800'000'000);
constexpr double kThirtyDays = 2'592'000;

class CacheAndTrashScannersTest : public ::testing::Test {
protected:
    testing::FakeFileSystem fs;
    testing::ManualExecutor pool;
    testing::ManualMainQueue main;
    CleanerEngine engine{fs, pool, main};
    const std::string home = "/Users/me";
    const platform::HostTable mac = platform::HostTable::macos(platform::HostLayout::forHome(home, "/"));

    void file(const std::string& path, std::int64_t bytes, platform::Date modified = kNow) {
        fs.addFile(path, {.size = bytes, .allocatedSize = bytes, .modified = modified, .contents = {}});
    }
    static std::vector<std::string> names(const CleanerEngine::Items& items) {
        std::vector<std::string> result;
        for (const auto& item : items) result.push_back(item.name);
        return result;
    }
};

TEST_F(CacheAndTrashScannersTest, AppCachesFollowTheTableAndSkipEmptyFolders) {
    file(home + "/Library/Application Support/Slack/Cache/blob", 500);
    file(home + "/Library/Caches/com.apple.Safari/db", 800);
    file(home + "/Library/Application Support/Code/logs/main.log", 300);
    file(home + "/Library/Caches/com.microsoft.VSCode/blob", 200);
    fs.addDirectory(home + "/Library/Application Support/Cursor/logs");
    auto items = scanAppCaches(engine, mac);
    EXPECT_THAT(names(items), ElementsAre("VS Code Logs", "Safari Cache", "VS Code Cache", "Slack Cache"));
    EXPECT_EQ(items[3].friendlyName, "Slack junk");
    EXPECT_EQ(items[3].friendlyDescription, "Old saved data from Slack that's no longer needed");
    EXPECT_TRUE(items[3].isSelected);
    // Two folders of one application keep their own names.
    EXPECT_EQ(items[0].friendlyName, "VS Code Logs");
    EXPECT_EQ(items[2].friendlyName, "VS Code Cache");
}

TEST_F(CacheAndTrashScannersTest, SystemCachesNeedMoreThanTenMillionBytes) {
    file(home + "/Library/Caches/exact/blob", 10'000'000);
    file(home + "/Library/Caches/over/blob", 10'000'001);
    file(home + "/Library/Caches/com.google.Chrome.helper/blob", 50'000'000);  // covered by the app table
    file(home + "/Library/Caches/big.db", 20'000'000);
    file(home + "/Library/Logs/app.log", 10);
    file("/elsewhere/huge/blob", 90'000'000);
    fs.addSymlink(home + "/Library/Caches/linked", "/elsewhere/huge");  // never offered
    auto items = scanSystemCaches(engine, mac);
    EXPECT_THAT(names(items), ElementsAre("big.db", "over", "User Logs"));
    EXPECT_FALSE(items[1].isSelected);
    EXPECT_FALSE(items[1].isRecommended);
    EXPECT_TRUE(items[2].isSelected);
    EXPECT_EQ(items[2].deletionMethod, model::DeletionMethod::clearDirectoryContents());
}

TEST_F(CacheAndTrashScannersTest, SharedCachesOfALinuxDesktopAreOfferedOnlyWhenTheUserMayDeleteThem) {
    const auto table = platform::HostTable::linuxDesktop(platform::HostLayout::forHome("/home/me", "/"), fs, 1000);
    file("/home/me/.cache/mesa_shader_cache/blob", 20'000'000);
    file("/home/me/.cache/google-chrome/Default/blob", 20'000'000);  // an app-cache row
    file("/var/cache/apt/archives/blob", 90'000'000);                // root's, not writable
    file("/var/tmp/systemd-private/blob", 90'000'000);
    EXPECT_THAT(names(scanSystemCaches(engine, table)), ElementsAre("mesa_shader_cache"));
    EXPECT_THAT(names(scanAppCaches(engine, table)), ElementsAre("Chrome Cache"));
}

TEST_F(CacheAndTrashScannersTest, SharedCachesOfTheSystemAreLabelledAsSystemOnes) {
    const auto table = platform::HostTable::linuxDesktop(platform::HostLayout::forHome("/home/me", "/"), fs, 0);
    file("/home/me/.cache/mesa_shader_cache/blob", 20'000'000);
    file("/var/cache/apt/archives/blob", 90'000'000);
    std::map<std::string, std::string> sections;
    std::map<std::string, std::string> titles;  // each its own, for confirmations and screen readers
    for (const auto& item : scanSystemCaches(engine, table)) {
        sections[item.path] = item.subcategory;
        titles[item.path] = item.displayTitle();
    }
    EXPECT_EQ(sections, (std::map<std::string, std::string>{{"/home/me/.cache/mesa_shader_cache", "User Caches"},
                                                            {"/var/cache/apt", "System Caches"}}));
    EXPECT_EQ(titles, (std::map<std::string, std::string>{{"/home/me/.cache/mesa_shader_cache", "mesa_shader_cache"},
                                                          {"/var/cache/apt", "apt cache"}}));
}

TEST_F(CacheAndTrashScannersTest, ADesktopTrashCountsWhatItHoldsAndIsNoItemWhenEmpty) {
    const auto table = platform::HostTable::linuxDesktop(platform::HostLayout::forHome("/home/me", "/"), fs, 1000);
    const std::string trash = "/home/me/.local/share/Trash";
    for (const auto* folder : {"/files", "/info", "/expunged"}) fs.addDirectory(trash + folder);
    EXPECT_TRUE(scanTrashAndDownloads(engine, table, kNow).empty()) << "its own folders are no junk";

    file(trash + "/files/.hidden-note", 3000);
    file(trash + "/info/.hidden-note.trashinfo", 40);
    const auto items = scanTrashAndDownloads(engine, table, kNow);
    ASSERT_THAT(names(items), ElementsAre("Trash"));
    EXPECT_EQ(items[0].sizeBytes, 3040);
}

TEST_F(CacheAndTrashScannersTest, TheTrashComesFirstThenLargeOldDownloads) {
    file(home + "/.Trash/old.zip", 4096);
    const auto old = kNow.addingTimeInterval(-kThirtyDays - 1);
    file(home + "/Downloads/movie.mkv", 100'000'001, old);
    file(home + "/Downloads/exactly.iso", 100'000'000, old);
    file(home + "/Downloads/recent.iso", 500'000'000, kNow.addingTimeInterval(-kThirtyDays));
    file(home + "/Downloads/folder/part1", 300'000'000, old);
    fs.setModificationDate(home + "/Downloads/folder", old);

    auto items = scanTrashAndDownloads(engine, mac, kNow);
    EXPECT_THAT(names(items), ElementsAre("Trash", "folder", "movie.mkv"));
    EXPECT_EQ(items[0].deletionMethod, model::DeletionMethod::emptyTrash());
    EXPECT_EQ(items[0].warningMessage, "Permanently deletes all Trash contents");
    EXPECT_EQ(items[1].sizeBytes, 300'000'000);  // a folder counts what it holds
    EXPECT_FALSE(items[2].isSelected);
    EXPECT_EQ(items[2].warningMessage->rfind("Last modified ", 0), 0u);

    testing::FakeFileSystem empty;
    CleanerEngine bare{empty, pool, main};
    EXPECT_TRUE(scanTrashAndDownloads(bare, mac, kNow).empty());
}

}  // namespace
}  // namespace zentrel::engine
