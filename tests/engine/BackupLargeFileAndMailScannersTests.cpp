#include "engine/BackupLargeFileAndMailScanners.hpp"

#include "doubles/FakeFileSystem.hpp"
#include "doubles/ManualExecutor.hpp"
#include "doubles/ManualMainQueue.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zentrel::engine {
namespace {

using ::testing::ElementsAre;

class BackupLargeFileAndMailScannersTest : public ::testing::Test {
protected:
    testing::FakeFileSystem fs;
    testing::ManualExecutor pool;
    testing::ManualMainQueue main;
    CleanerEngine engine{fs, pool, main};
    const std::string home = "/Users/me";
    const platform::HostTable mac = platform::HostTable::macos(platform::HostLayout::forHome(home, "/"));

    void file(const std::string& path, std::int64_t bytes) {
        fs.addFile(path, {.size = bytes, .allocatedSize = bytes, .contents = {}});
    }
    static std::vector<std::string> names(const CleanerEngine::Items& items) {
        std::vector<std::string> result;
        for (const auto& item : items) result.push_back(item.name);
        return result;
    }
};

TEST_F(BackupLargeFileAndMailScannersTest, EveryBackupFolderIsAnItemNamedAfterItsDevice) {
    const auto backups = home + "/Library/Application Support/MobileSync/Backup";
    fs.addTextFile(backups + "/00008101/Info.plist",
                   R"(<?xml version="1.0"?><plist version="1.0"><dict><key>Device Name</key><string>Lan's iPhone</string></dict></plist>)");
    fs.addDirectory(backups + "/empty-backup");
    fs.addTextFile(backups + "/stray.txt", "x");
    auto items = scanIOSBackups(engine, mac);
    EXPECT_THAT(names(items), ElementsAre("Lan's iPhone", "empty-backup"));
    EXPECT_EQ(items[0].friendlyName, "Lan's iPhone backup");
    EXPECT_EQ(items[1].sizeBytes, 0);
    EXPECT_FALSE(items[0].isSelected);
}

TEST_F(BackupLargeFileAndMailScannersTest, LargeFilesAboveHalfAGigabyteOutsideSkippedFolders) {
    file(home + "/.hidden-image.dmg", 600'000'000);
    file(home + "/Downloads/exact.iso", 500'000'000);
    file(home + "/Downloads/over.iso", 500'000'001);
    file(home + "/Documents/node_modules/huge.bin", 900'000'000);
    file(home + "/Documents/Build/kept.bin", 700'000'000);
    file(home + "/Documents/build/skipped.bin", 700'000'000);
    file(home + "/Movies/.secret.mov", 800'000'000);
    file(home + "/Desktop/Tool.app/Contents/blob", 800'000'000);
    auto items = scanLargeFiles(engine, mac);
    EXPECT_THAT(names(items), ElementsAre("kept.bin", ".hidden-image.dmg", "over.iso"));

    for (int i = 0; i < 60; ++i) file(home + "/Movies/m" + std::to_string(i), 600'000'000 + i);
    auto many = scanLargeFiles(engine, mac);
    ASSERT_EQ(many.size(), 50u);
    EXPECT_EQ(many.front().name, "kept.bin");
    EXPECT_EQ(many[1].name, "m59");
}

TEST_F(BackupLargeFileAndMailScannersTest, MailCachesJoinTheAppCaches) {
    file(home + "/Library/Containers/com.apple.mail/Data/DataVaults/x", 4096);
    auto items = scanMail(engine, mac);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].name, "Mail DataVaults");
    EXPECT_EQ(items[0].category, model::CategoryType::appCaches);
    EXPECT_TRUE(items[0].isSelected);
    EXPECT_TRUE(items[0].isRecommended);
}

}  // namespace
}  // namespace zentrel::engine
