#include "engine/StartupAndICloudScanners.hpp"

#include "doubles/FakeFileSystem.hpp"
#include "doubles/ManualExecutor.hpp"
#include "doubles/ManualMainQueue.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

namespace zentrel::engine {
namespace {

using ::testing::ElementsAre;

const platform::Date kNow = platform::Date::fromTimeIntervalSince1970(1'800'000'000);
constexpr double kHalfYear = 15'552'000;

// Files the test marks as downloaded are current; the rest are not.
class FakeICloudStatus final : public platform::ICloudFileStatus {
public:
    [[nodiscard]] std::optional<bool> isDownloaded(const std::string& path) const override {
        return downloaded.contains(path);
    }
    [[nodiscard]] std::optional<std::string> evict(const std::string&) override { return std::nullopt; }
    std::set<std::string> downloaded;
};

class StartupAndICloudScannersTest : public ::testing::Test {
protected:
    testing::FakeFileSystem fs;
    testing::ManualExecutor pool;
    testing::ManualMainQueue main;
    CleanerEngine engine{fs, pool, main};
    FakeICloudStatus status;
    const std::string home = "/Users/me";
    const platform::HostTable mac = platform::HostTable::macos(platform::HostLayout::forHome(home, "/sys"));
    const std::string cloud = "/Users/me/Library/Mobile Documents/com~apple~CloudDocs";

    void cloudFile(const std::string& name, std::int64_t bytes, double age, bool downloaded = true) {
        const auto path = cloud + "/" + name;
        fs.addFile(path, {.size = bytes, .allocatedSize = bytes, .modified = kNow.addingTimeInterval(-age), .contents = {}});
        if (downloaded) status.downloaded.insert(path);
    }
    static std::vector<std::string> names(const CleanerEngine::Items& items) {
        std::vector<std::string> result;
        for (const auto& item : items) result.push_back(item.name);
        return result;
    }
};

TEST_F(StartupAndICloudScannersTest, LaunchAgentsOfTheUserComeBeforeTheComputersAndCarryTheirLabel) {
    fs.addTextFile(home + "/Library/LaunchAgents/com.example.sync.plist",
                   R"(<?xml version="1.0"?><plist version="1.0"><dict><key>Label</key><string>Example Sync</string></dict></plist>)");
    fs.addTextFile(home + "/Library/LaunchAgents/notes.txt", "not a property list");
    fs.addTextFile("/sys/Library/LaunchAgents/com.vendor.updater.plist",
                   R"(<?xml version="1.0"?><plist version="1.0"><dict><key>Program</key><string>/x</string></dict></plist>)");
    auto items = scanStartupItems(engine, mac);
    EXPECT_THAT(names(items), ElementsAre("Example Sync", "notes.txt", "com.vendor.updater.plist"));
    EXPECT_EQ(items[0].warningMessage, "Disabling may affect app functionality");
    EXPECT_FALSE(items[0].isSelected);
}

TEST_F(StartupAndICloudScannersTest, OldLargeDownloadedFilesOnly) {
    cloudFile("old.mov", 10'000'000, kHalfYear + 86400);
    cloudFile("exactly-half-year.mov", 20'000'000, kHalfYear);
    cloudFile("small.mov", 9'999'999, kHalfYear * 2);
    cloudFile("not-local.mov", 30'000'000, kHalfYear * 2, false);
    cloudFile("Talk.key", 40'000'000, kHalfYear * 2);
    auto items = scanICloud(engine, mac, status, kNow);
    EXPECT_THAT(names(items), ElementsAre("old.mov"));
    EXPECT_EQ(items[0].deletionMethod, model::DeletionMethod::evictICloud());

    platform::NoICloudFileStatus none;
    EXPECT_TRUE(scanICloud(engine, mac, none, kNow).empty());
    EXPECT_TRUE(scanICloud(engine, platform::HostTable::macos(platform::HostLayout::forHome("/nobody", "/")), status, kNow).empty());
}

TEST_F(StartupAndICloudScannersTest, TheLargestFiftyOfTheFirstEntries) {
    for (int i = 0; i < 70; ++i) cloudFile("f" + std::to_string(100 + i), 10'000'000 + i, kHalfYear * 2);
    auto items = scanICloud(engine, mac, status, kNow);
    ASSERT_EQ(items.size(), 50u);
    EXPECT_EQ(items.front().name, "f169");
    ICloudScanLimits limits;
    limits.maxEntries = 11;  // the folder and the first ten files
    EXPECT_EQ(scanICloud(engine, mac, status, kNow, limits).size(), 10u);
}

TEST_F(StartupAndICloudScannersTest, TheComputersAutostartEntriesAreListedReadOnly) {
    const auto linux = platform::HostTable::linuxDesktop(platform::HostLayout::forHome("/home/me", "/sys"), fs, 1000);
    fs.addTextFile("/home/me/.config/autostart/sync.desktop", "[Desktop Entry]\nName=Sync\n");
    fs.addTextFile("/sys/etc/xdg/autostart/updater.desktop", "[Desktop Entry]\nName=Updater\n");
    const auto items = scanStartupItems(engine, linux);
    ASSERT_EQ(names(items), (std::vector<std::string>{"Sync", "Updater"}));
    EXPECT_FALSE(items[0].isReadOnly);
    EXPECT_TRUE(items[1].isReadOnly);
    EXPECT_NE(items[1].warningMessage->find("administrator"), std::string::npos);
}

}  // namespace
}  // namespace zentrel::engine
