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

TEST_F(BackupLargeFileAndMailScannersTest, ADeviceNameHoldingANulIsSkipped) {
    const auto backups = home + "/Library/Application Support/MobileSync/Backup";
    using namespace std::string_literals;
    fs.addTextFile(backups + "/xml/Info.plist",
                   R"(<?xml version="1.0"?><plist version="1.0"><dict><key>Device Name</key><string>x)"s + '\0' +
                       "y</string></dict></plist>");
    // bplist00 of {"Device Name": "x\0y\u00e9", "k\0\u00e9": "v"}: both texts in UTF-16
    const unsigned char binary[] = {
        0x62, 0x70, 0x6c, 0x69, 0x73, 0x74, 0x30, 0x30, 0xd2, 0x01, 0x02, 0x03, 0x04, 0x5b, 0x44, 0x65, 0x76, 0x69,
        0x63, 0x65, 0x20, 0x4e, 0x61, 0x6d, 0x65, 0x63, 0x00, 0x6b, 0x00, 0x00, 0x00, 0xe9, 0x64, 0x00, 0x78, 0x00,
        0x00, 0x00, 0x79, 0x00, 0xe9, 0x51, 0x76, 0x08, 0x0d, 0x19, 0x20, 0x29, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x2b};
    fs.addTextFile(backups + "/binary/Info.plist", std::string(reinterpret_cast<const char*>(binary), sizeof binary));
    EXPECT_THAT(names(scanIOSBackups(engine, mac)), ElementsAre("binary", "xml"));
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
    EXPECT_EQ(items[0].displayTitle(), "Mail attachment cache") << "one cache keeps the common name";
}

TEST_F(BackupLargeFileAndMailScannersTest, BothMailCachesAreToldApartByTheirFolders) {
    file(home + "/Library/Containers/com.apple.mail/Data/DataVaults/x", 4096);
    file(home + "/Library/Containers/com.apple.mail/Data/Library/Mail Downloads/y", 2048);
    const auto items = scanMail(engine, mac);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].displayTitle(), "Mail Downloads");
    EXPECT_EQ(items[1].displayTitle(), "Mail DataVaults");
}

}  // namespace
}  // namespace zentrel::engine
