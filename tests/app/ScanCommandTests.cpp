// zentrel-cli scan over a generated fixture home.

#include "CliRunner.hpp"

#include "doubles/CookieStoreFixtures.hpp"
#include "doubles/TempDir.hpp"
#include "platform/text/LosslessText.hpp"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

namespace zentrel::testing {
namespace {

namespace fs = std::filesystem;

TEST(ScanCommandTest, DevProjectsListTheirNodeModulesAndTheAdvice) {
    TempDir dir;
    const std::string modules(31'000'000, 'm');
    for (const char* name : {"Code/shop", "Code/blog"}) {
        dir.write(std::string("home/") + name + "/package.json", "{}");
        dir.write(std::string("home/") + name + "/node_modules/dep/index.js", modules);
    }
    dir.write("home/Code/shop/yarn.lock", "");
    // The blog was last touched long ago.
    fs::last_write_time(dir / "home/Code/blog", fs::file_time_type::clock::now() - std::chrono::hours(24 * 90));
    dir.makeDirectory("sys");

    auto listed = runCli({"scan", "--home", (dir / "home").string(), "--system-root", (dir / "sys").string(),
                          "--category", "Dev Projects", "--json"});
    ASSERT_EQ(listed.status, 0);
    const auto items = nlohmann::json::parse(listed.out);
    ASSERT_EQ(items.size(), 3u) << listed.out;
    std::map<std::string, nlohmann::json> byName;
    for (const auto& item : items) byName[item["name"]] = item;
    ASSERT_TRUE(byName.contains("shop/node_modules"));
    EXPECT_EQ(byName["shop/node_modules"]["subcategory"], "yarn project");
    EXPECT_EQ(byName["shop/node_modules"]["warning"],
              "Active project \u2014 remove only if you won't build soon. Reinstalls with one command.");
    EXPECT_EQ(byName["blog/node_modules"]["selected"], true);
    EXPECT_EQ(byName["blog/node_modules"]["subcategory"], "node_modules");
    ASSERT_TRUE(byName.contains("Switch 2 projects to pnpm"));
    EXPECT_EQ(byName["Switch 2 projects to pnpm"]["suggestedCommand"],
              "corepack enable && pnpm import && pnpm install  # run inside each project");
    EXPECT_EQ(byName["Switch 2 projects to pnpm"]["warning"].get<std::string>().rfind(
                  "2 npm/yarn projects each copy their own dependencies.", 0),
              0u);
    EXPECT_TRUE(fs::exists(dir / "home/Code/shop/node_modules/dep/index.js"));

    EXPECT_EQ(runCli({"scan", "--home", (dir / "home").string(), "--category", "dev project"}).status, 2);
}

// Every file below a folder with its size, the settings folder aside: the
// tree as a test can compare it.
std::map<std::string, std::uintmax_t> snapshot(const fs::path& root) {
    std::map<std::string, std::uintmax_t> files;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        if (it->path().filename() == ".config") {
            it.disable_recursion_pending();
            continue;
        }
        files[it->path().string()] = it->is_regular_file() ? it->file_size() : 0;
    }
    return files;
}

TEST(ScanCommandTest, NamesThatAreNotUtf8AreListedInJsonWithTheirExactBytes) {
    TempDir dir;
    const std::string project = "home/Code/caf\xE9";
    dir.write(project + "/package.json", "{}");
    dir.write(project + "/node_modules/dep/index.js", std::string(31'000'000, 'm'));
    dir.makeDirectory("sys");
    const auto listed = runCli({"scan", "--home", (dir / "home").string(), "--system-root", (dir / "sys").string(),
                                "--category", "Dev Projects", "--json"});
    ASSERT_EQ(listed.status, 0) << listed.out;
    const auto items = nlohmann::json::parse(listed.out);
    ASSERT_EQ(items.size(), 1u) << listed.out;
    EXPECT_EQ(items[0]["name"], "caf\\xE9/node_modules");
    EXPECT_EQ(platform::losslessText(items[0], "path"), (dir / project / "node_modules").string());
}

TEST(ScanCommandTest, JsonDuplicatesSayWhereTheWalkStoppedEarly) {
    TempDir dir;
    // Pictures holds as many files as the walk compares (sparse, each of its
    // own size, so none is hashed) and two copies; the walk stops at the first
    // entry of Documents.
    dir.write("home/Pictures/copy.bin", std::string(150'000, 'c'));
    dir.write("home/Pictures/copy again.bin", std::string(150'000, 'c'));
    for (int i = 0; i < 4998; ++i) {
        std::ofstream((dir / "home/Pictures" / ("f" + std::to_string(i) + ".bin")).string());
        fs::resize_file(dir / "home/Pictures" / ("f" + std::to_string(i) + ".bin"), 200'000 + i);
    }
    const std::string stoppedAt = "home/Documents/caf\xE9.pdf";
    dir.write(stoppedAt, "not compared");
    dir.makeDirectory("home/Desktop");
    dir.makeDirectory("sys");

    const auto listed = runCli({"scan", "--home", (dir / "home").string(), "--system-root", (dir / "sys").string(),
                                "--layout", "linux", "--category", "Duplicates", "--json"});
    ASSERT_EQ(listed.status, 0) << listed.out;
    const auto items = nlohmann::json::parse(listed.out);
    ASSERT_TRUE(items.is_array());
    ASSERT_FALSE(items.empty()) << listed.out;
    for (const auto& item : items) {
        ASSERT_TRUE(item.contains("walkStoppedEarly")) << item;
        const auto& stop = item["walkStoppedEarly"];
        EXPECT_EQ(stop["limit"], 5000);
        EXPECT_EQ(platform::losslessText(stop, "at"), (dir / stoppedAt).string());
        ASSERT_EQ(stop["notReached"].size(), 1u);
        EXPECT_EQ(platform::losslessText(stop["notReached"][0], "path"), (dir / "home/Desktop").string());
    }
}

TEST(ScanCommandTest, AFirefoxProfileWhoseNameIsNotUtf8IsListedLikeAnyOther) {
    TempDir dir;
    const std::string profile = "caf\xE9.default";
    dir.write("home/.mozilla/firefox/profiles.ini", "[Profile0]\nPath=" + profile + "\n");
    writeFirefoxCookieDatabase(dir / "home/.mozilla/firefox" / profile / "cookies.sqlite", {".doubleclick.net"});
    dir.makeDirectory("sys");
    const auto listed = runCli({"scan", "--home", (dir / "home").string(), "--system-root", (dir / "sys").string(),
                                "--layout", "linux", "--category", "Privacy", "--json"});
    ASSERT_EQ(listed.status, 0) << listed.out;
    bool found = false;
    for (const auto& item : nlohmann::json::parse(listed.out)) {
        found = found || platform::losslessText(item, "path") ==
                             (dir / "home/.mozilla/firefox" / profile / "cookies.sqlite").string();
    }
    EXPECT_TRUE(found) << listed.out;
}

TEST(ScanCommandTest, AFullScanOfAMacStyleHomeListsEveryCategoryAndDeletesNothing) {
    TempDir dir;
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(24 * 60);
    dir.write("home/Library/Caches/com.apple.Safari/Cache.db", std::string(5000, 'c'));
    dir.write("home/Library/Caches/big.cache/blob", std::string(10'000'100, 'b'));
    dir.write("home/Library/Logs/app.log", "log");
    dir.write("home/.Trash/old.zip", std::string(3000, 't'));
    dir.write("home/Library/Developer/Xcode/DerivedData/App-abc/Build/x.o", std::string(9000, 'o'));
    dir.write("home/Library/LaunchAgents/com.example.agent.plist",
              R"(<?xml version="1.0"?><plist version="1.0"><dict><key>Label</key><string>Example Agent</string></dict></plist>)");
    dir.write("home/Library/Application Support/MobileSync/Backup/0001/Info.plist",
              R"(<?xml version="1.0"?><plist version="1.0"><dict><key>Device Name</key><string>Phone</string></dict></plist>)");
    dir.write("home/.cache/pip/wheel.whl", std::string(4000, 'w'));
    fs::last_write_time(dir / "home/.cache/pip", old);
    const std::string copy(150000, 'd');
    dir.write("home/Documents/report.pdf", copy);
    dir.write("home/Downloads/report.pdf", copy);
    dir.makeDirectory("sys");
    const auto before = snapshot(dir.path());

    auto scan = runCli({"scan", "--home", (dir / "home").string(), "--system-root", (dir / "sys").string(),
                        "--layout", "macos", "--json"});
    ASSERT_EQ(scan.status, 0);
    std::set<std::string> categories;
    for (const auto& item : nlohmann::json::parse(scan.out)) categories.insert(item["category"]);
    EXPECT_EQ(categories, (std::set<std::string>{"App Caches", "System Caches", "Trash & Downloads", "Xcode",
                                                 "Startup Items", "iOS Backups", "Dev Tools", "Duplicates"}))
        << scan.out;
    EXPECT_EQ(snapshot(dir.path()), before);

    // The full scan runs through the view model, which stores its figures in
    // the settings of the given home.
    auto listed = runCli({"scan", "--home", (dir / "home").string(), "--system-root", (dir / "sys").string(),
                          "--layout", "macos"});
    ASSERT_EQ(listed.status, 0);
    const auto totals = listed.out.substr(listed.out.find("Category totals stored:"));
    EXPECT_NE(totals.find("  Trash & Downloads\t"), std::string::npos) << listed.out;
    EXPECT_NE(totals.find("  Build Caches\t"), std::string::npos) << listed.out;
    std::ifstream settings(dir / "home/.config/zentrel/com.torvane.zentrel.json");
    const auto stored = nlohmann::json::parse(settings);
    // Every item but the duplicates' keepers (the copies that stay, freeing nothing) is counted.
    std::size_t counted = 0;
    for (const auto& item : nlohmann::json::parse(scan.out))
        if (item["category"] != "Duplicates" || item["sizeBytes"] != 0) ++counted;
    EXPECT_LT(counted, nlohmann::json::parse(scan.out).size());
    EXPECT_EQ(stored["lastScanItemCount"], counted);
    EXPECT_EQ(snapshot(dir.path()), before);
}

}  // namespace
}  // namespace zentrel::testing
