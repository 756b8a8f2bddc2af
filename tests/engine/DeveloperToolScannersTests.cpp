#include "engine/DeveloperToolScanners.hpp"

#include "doubles/FakeFileSystem.hpp"
#include "doubles/ManualExecutor.hpp"
#include "doubles/ManualMainQueue.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zentrel::engine {
namespace {

using ::testing::ElementsAre;

const platform::Date kNow = platform::Date::fromTimeIntervalSince1970(1'800'000'000);
constexpr double kDay = 86400;

class DeveloperToolScannersTest : public ::testing::Test {
protected:
    testing::FakeFileSystem fs;
    testing::ManualExecutor pool;
    testing::ManualMainQueue main;
    CleanerEngine engine{fs, pool, main};
    const std::string home = "/Users/me";
    const platform::HostTable mac = platform::HostTable::macos(platform::HostLayout::forHome(home, "/"));

    void file(const std::string& path, std::int64_t allocated, platform::Date modified = kNow) {
        fs.addFile(path, {.size = allocated, .allocatedSize = allocated, .modified = modified, .contents = {}});
    }
    // A project whose node_modules holds `bytes`, last modified `age` seconds ago.
    void project(const std::string& path, std::int64_t bytes, double age, const char* lockFile = nullptr) {
        fs.addTextFile(path + "/package.json", "{}");
        if (lockFile) fs.addTextFile(path + "/" + lockFile, "");
        file(path + "/node_modules/pkg/index.js", bytes);
        fs.setModificationDate(path, kNow.addingTimeInterval(-age));
    }
    static std::vector<std::string> names(const CleanerEngine::Items& items) {
        std::vector<std::string> result;
        for (const auto& item : items) result.push_back(item.name);
        return result;
    }
};

TEST_F(DeveloperToolScannersTest, ProjectsAreOfferedByTheirSizeAgeAndManager) {
    project(home + "/Code/small", 29'999'999, 40 * kDay);
    project(home + "/Code/edge", 30'000'000, 30 * kDay);  // exactly 30 days: still active
    project(home + "/Code/old", 50'000'000, 30 * kDay + 1, "yarn.lock");
    project(home + "/Projects/shared", 90'000'000, 90 * kDay, "pnpm-lock.yaml");
    project(home + "/Code/a/b/c/deep", 40'000'000, 90 * kDay);      // depth 4: found
    project(home + "/Code/a/b/c/d/deeper", 40'000'000, 90 * kDay);  // depth 5: not found
    project(home + "/Code/edge/packages/inner", 40'000'000, 90 * kDay);  // inside a project: not found

    auto items = scanDevProjects(engine, home, kNow);
    EXPECT_THAT(names(items), ElementsAre("shared/node_modules", "Switch 3 projects to pnpm", "old/node_modules",
                                          "deep/node_modules", "edge/node_modules"));
    const auto& shared = items[0];
    EXPECT_EQ(shared.subcategory, "pnpm project");
    EXPECT_FALSE(shared.isSelected);
    EXPECT_EQ(shared.suggestedCommand, "pnpm install  # re-links from the shared store");
    const auto& advice = items[1];
    EXPECT_EQ(advice.sizeBytes, (30'000'000 + 50'000'000 + 40'000'000) / 2);
    EXPECT_TRUE(advice.path.empty());
    EXPECT_EQ(advice.subcategory, "Advice");
    const auto& old = items[2];
    EXPECT_TRUE(old.isSelected);
    EXPECT_EQ(old.subcategory, "yarn project");
    EXPECT_EQ(old.warningMessage->rfind("Not touched since ", 0), 0u);
    EXPECT_EQ(old.suggestedCommand, "yarn install  # or migrate: corepack enable && pnpm import && pnpm install");
    const auto& edge = items[4];
    EXPECT_FALSE(edge.isSelected);
    EXPECT_EQ(edge.subcategory, "node_modules");
    EXPECT_EQ(edge.warningMessage,
              "Active project \u2014 remove only if you won't build soon. Reinstalls with one command.");
}

TEST_F(DeveloperToolScannersTest, TheEntryLimitStopsEveryRoot) {
    project(home + "/Code/first", 40'000'000, 90 * kDay);
    for (int i = 0; i < 10; ++i) fs.addTextFile(home + "/Code/many/f" + std::to_string(i), "x");
    project(home + "/Code/zzz", 40'000'000, 90 * kDay);
    project(home + "/Sites/later", 40'000'000, 90 * kDay);  // a root walked after Code
    DeveloperScanLimits limits;
    limits.maxEntries = 6;  // first, many and four of its files; zzz and Sites are never reached
    auto items = scanDevProjects(engine, home, kNow, limits);
    EXPECT_THAT(names(items), ElementsAre("first/node_modules"));
    EXPECT_EQ(scanDevProjects(engine, home, kNow).size(), 4u);  // three projects and the advice
}

TEST_F(DeveloperToolScannersTest, DeviceSupportKeepsTheNewestOfEachDevice) {
    const auto folder = home + "/Library/Developer/Xcode/iOS DeviceSupport";
    for (const char* name : {"16.4 (20E247)", "16.4 (20E252)", "17.9", "17.10", "   "}) fs.addDirectory(folder + "/" + name);
    auto items = scanDeviceSupport(engine, folder);
    EXPECT_THAT(names(items), ElementsAre("16.4 (20E252)", "16.4 (20E247)", "17.10", "17.9"));
    EXPECT_FALSE(items[0].isSelected);
    EXPECT_EQ(items[0].warningMessage, "Newest \u2014 keep for debugging on device");
    EXPECT_TRUE(items[1].isSelected);
    EXPECT_EQ(items[2].safetyLevel, model::SafetyLevel::review);
}

TEST_F(DeveloperToolScannersTest, SimulatorsAreNamedFromTheirDeviceFile) {
    const auto folder = home + "/Library/Developer/CoreSimulator/Devices";
    fs.addTextFile(folder + "/A1/device.plist",
                   R"(<?xml version="1.0"?><plist version="1.0"><dict><key>name</key><string>iPhone 15</string>)"
                   R"(<key>runtime</key><string>com.apple.CoreSimulator.SimRuntime.iOS-17-0</string></dict></plist>)");
    fs.addTextFile(folder + "/stray.txt", "x");
    auto items = scanSimulators(engine, folder);
    EXPECT_THAT(names(items), ElementsAre("iPhone 15 (iOS-17-0)", "stray.txt"));
    EXPECT_FALSE(items[0].isSelected);
}

TEST_F(DeveloperToolScannersTest, DeveloperCachesAreJudgedByTheClassifier) {
    file(home + "/.npm/_cacache/blob", 5000);
    fs.setModificationDate(home + "/.npm/_cacache", kNow.addingTimeInterval(-3 * kDay));
    file(home + "/.cache/pip/blob", 7000);
    fs.setModificationDate(home + "/.cache/pip", kNow.addingTimeInterval(-20 * kDay));
    file(home + "/Library/pnpm/store/blob", 9000);
    fs.setModificationDate(home + "/Library/pnpm/store", kNow.addingTimeInterval(-400 * kDay));
    file(home + "/Library/Containers/com.docker.docker/Data/vms/0/data/Docker.raw", 123456);

    auto items = scanDevTools(engine, mac, kNow);
    EXPECT_THAT(names(items), ElementsAre("npm Cache", "pnpm Store", "pip Cache", "Docker Desktop VM"));
    EXPECT_FALSE(items[0].isSelected);  // used 3 days ago
    EXPECT_EQ(items[1].suggestedCommand, "pnpm store prune");
    EXPECT_FALSE(items[1].isSelected);
    EXPECT_TRUE(items[2].isSelected);
    EXPECT_EQ(items[2].friendlyDescription, "Temporary files pip downloaded \u2014 will re-download if needed");
    EXPECT_EQ(items[3].suggestedCommand, "docker system prune -a --volumes");
    EXPECT_FALSE(items[3].isSelected);
}

TEST_F(DeveloperToolScannersTest, XcodeLeavesOutEmptyBuildFolders) {
    file(home + "/Library/Developer/Xcode/DerivedData/App-abc/Build/x", 4096);
    fs.addDirectory(home + "/Library/Developer/Xcode/DerivedData/Empty-def");
    fs.addDirectory("/elsewhere/project");
    fs.addSymlink(home + "/Library/Developer/Xcode/DerivedData/Linked-xyz", "/elsewhere/project");  // never offered
    file(home + "/Library/Developer/Xcode/Archives/2026-01-01/App.xcarchive/x", 8192);
    auto items = scanXcode(engine, mac);
    EXPECT_THAT(names(items), ElementsAre("App-abc", "2026-01-01"));
    EXPECT_EQ(items[0].subcategory, "DerivedData");
    EXPECT_EQ(items[1].friendlyName, "App archive");
    EXPECT_FALSE(items[1].isRecommended);
}

}  // namespace
}  // namespace zentrel::engine
