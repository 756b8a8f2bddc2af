// zentrel-cli clean and undo over a generated fixture home: what is named
// goes, nothing else does, and a privacy clean can be undone exactly.

#include "CliRunner.hpp"

#include "doubles/CookieStoreFixtures.hpp"
#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

namespace zentrel::testing {
namespace {

namespace fs = std::filesystem;

// Every entry below the home folder with its contents, leaving out what the
// program keeps for itself (settings, sweep backups).
std::map<std::string, std::string> tree(const fs::path& home) {
    std::map<std::string, std::string> entries;
    for (auto it = fs::recursive_directory_iterator(home); it != fs::recursive_directory_iterator(); ++it) {
        const auto relative = fs::relative(it->path(), home).string();
        if (relative == ".config" || relative == "Library/Application Support/Zentrel") {
            it.disable_recursion_pending();
            continue;
        }
        std::string contents;
        if (it->is_regular_file()) {
            std::ifstream in(it->path(), std::ios::binary);
            std::ostringstream out;
            out << in.rdbuf();
            contents = out.str();
        }
        entries[relative] = contents;
    }
    return entries;
}

class CleanCommandTest : public ::testing::Test {
protected:
    CleanCommandTest() {
        dir.write("home/Library/Caches/com.example.app/cache.db", std::string(2000, 'c'));
        dir.write("home/.Trash/old.zip", std::string(3000, 't'));
        dir.write("home/Library/Logs/app.log", "log");
        dir.write("home/Documents/keep.txt", "mine");
        const auto chrome = home() / "Library/Application Support/Google/Chrome/Default/Cookies";
        writeChromiumCookieDatabase(chrome, {".doubleclick.net", "example.com"});
        const auto firefox = home() / "Library/Application Support/Firefox/Profiles/a.default/cookies.sqlite";
        writeFirefoxCookieDatabase(firefox, {".scorecardresearch.com", "news.example"});
        dir.makeDirectory("sys");
    }

    fs::path home() const { return dir / "home"; }
    CliOutcome cli(std::vector<std::string> args) {
        args.insert(args.begin() + 1,
                    {"--home", home().string(), "--system-root", (dir / "sys").string(), "--layout", "macos"});
        return runCli(args);
    }

    TempDir dir;
};

TEST_F(CleanCommandTest, CleaningThePrivacyItemsThenUndoingTheSweepRestoresTheHome) {
    const auto before = tree(home());
    const auto cleaned = cli({"clean", "--select", "category:Privacy"});
    ASSERT_EQ(cleaned.status, 0) << cleaned.out;
    EXPECT_NE(cleaned.out.find("[2/2] Cleaned"), std::string::npos) << cleaned.out;
    EXPECT_NE(tree(home()), before);
    EXPECT_EQ(chromiumCookieHosts(home() / "Library/Application Support/Google/Chrome/Default/Cookies"),
              std::vector<std::string>{"example.com"});
    EXPECT_TRUE(fs::exists(home() / ".Trash/old.zip")) << "only privacy items were named";

    std::smatch sweep;
    ASSERT_TRUE(std::regex_search(cleaned.out, sweep, std::regex("--sweep ([0-9A-F-]{36})"))) << cleaned.out;
    const auto listed = cli({"undo"});
    EXPECT_NE(listed.out.find("Chrome: doubleclick.net"), std::string::npos) << listed.out;

    const auto undone = cli({"undo", "--sweep", sweep[1]});
    ASSERT_EQ(undone.status, 0) << undone.out;
    EXPECT_EQ(tree(home()), before);
    EXPECT_FALSE(fs::exists(home() / "Library/Application Support/Zentrel/SweepBackups" / sweep[1].str()))
        << "a sweep undone in full keeps no copy of what it erased";
    EXPECT_NE(cli({"undo"}).out.find("[restored]"), std::string::npos);
}

// The cookies are back already: nothing is lost, the action is settled.
TEST_F(CleanCommandTest, AnUndoWhoseCookiesAreBackAlreadyIsSettled) {
    const auto chrome = home() / "Library/Application Support/Google/Chrome/Default/Cookies";
    const auto unswept = dir / "unswept-cookies";
    fs::copy_file(chrome, unswept);
    ASSERT_EQ(cli({"clean", "--select", "category:Privacy"}).status, 0);
    // An undo cut short after its rows went back, before the log was told.
    fs::copy_file(unswept, chrome, fs::copy_options::overwrite_existing);
    std::smatch action;
    const auto listed = cli({"undo"}).out;
    ASSERT_TRUE(std::regex_search(listed, action, std::regex("([0-9A-F-]{36})  Chrome: doubleclick.net"))) << listed;
    const auto undone = cli({"undo", "--action", action[1]});
    EXPECT_EQ(undone.status, 0) << undone.err;
    EXPECT_NE(undone.out.find("Chrome: doubleclick.net: already restored"), std::string::npos) << undone.out;
    EXPECT_NE(cli({"undo"}).out.find("[restored] " + action[1].str()), std::string::npos);
    EXPECT_EQ(chromiumCookieHosts(chrome), (std::vector<std::string>{".doubleclick.net", "example.com"}));
}

TEST_F(CleanCommandTest, ASweepTheSettingsCannotRecordFailsKeepsItsBackupsAndIsTakenOverLater) {
    const auto before = tree(home());
    dir.write("home/.config/zentrel", "a file where the settings folder goes");
    const auto cleaned = cli({"clean", "--select", "category:Privacy"});
    EXPECT_EQ(cleaned.status, 1) << cleaned.out;
    EXPECT_EQ(cleaned.out.find("can be undone"), std::string::npos) << cleaned.out;

    fs::remove(home() / ".config/zentrel");
    const auto listed = cli({"undo"});
    std::smatch sweep;
    ASSERT_TRUE(std::regex_search(listed.out, sweep, std::regex("Sweep ([0-9A-F-]{36})"))) << listed.out;
    ASSERT_EQ(cli({"undo", "--sweep", sweep[1]}).status, 0);
    auto after = tree(home());
    after.erase(".config");
    EXPECT_EQ(after, before);
}

TEST_F(CleanCommandTest, AStoreItsRunningBrowserHoldsIsReportedBusyInsteadOfDropped) {
    const auto firefox = home() / "Library/Application Support/Firefox/Profiles/a.default/cookies.sqlite";
    const std::string notice = "Firefox is running: quit Firefox and scan again";
    RunningBrowser running(firefox);
    const auto cookies = cli({"cookies"});
    EXPECT_NE(cookies.out.find("firefox\ta.default\t" + notice), std::string::npos) << cookies.out;
    EXPECT_NE(cli({"scan", "--category", "Privacy"}).out.find(notice), std::string::npos);

    const auto cleaned = cli({"clean", "--select", firefox.string()});
    EXPECT_EQ(cleaned.status, 1) << cleaned.out;
    EXPECT_NE(cleaned.out.find(notice), std::string::npos) << cleaned.out;
}

TEST_F(CleanCommandTest, OnlyTheNamedItemsGoAndABadSelectionDeletesNothing) {
    const auto before = tree(home());
    EXPECT_EQ(cli({"clean", "--select", (home() / "Library/Caches/com.example.app").string()}).status, 2);
    EXPECT_EQ(cli({"clean", "--select", "category:Nowhere"}).status, 2);
    EXPECT_EQ(cli({"clean", "--select", (home() / "Library/Logs").string(), "--select", "/etc"}).status, 2);
    EXPECT_EQ(runCli({"clean", "--select", "category:Trash"}).status, 2) << "never without an explicit home";
    EXPECT_EQ(tree(home()), before);

    // Relative folders and trailing slashes name the same places.
    const auto relativeHome = fs::relative(home()).string() + "/";
    const auto cleaned = runCli({"clean", "--home", relativeHome, "--system-root", (dir / "sys").string(), "--layout", "macos", "--select",
                                 relativeHome + ".Trash/"});
    ASSERT_EQ(cleaned.status, 0) << cleaned.out;
    auto expected = before;
    expected.erase(".Trash/old.zip");
    EXPECT_EQ(tree(home()), expected);
    EXPECT_EQ(cli({"undo"}).out, "No privacy sweep can be undone.\n");
}

}  // namespace
}  // namespace zentrel::testing
