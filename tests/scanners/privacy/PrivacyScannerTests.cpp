#include "scanners/privacy/PrivacyScanner.hpp"

#include "platform/files/PosixFileSystem.hpp"

#include "doubles/CookieStoreFixtures.hpp"
#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace zentrel::scanners {
namespace {

class PrivacyScannerTest : public ::testing::Test {
protected:
    testing::TempDir home;
    platform::PosixFileSystem fileSystem;
    int clipboardReads = 0;

    PrivacyScanner scanner(bool history, bool clipboard, ClipboardInsight insight = {}) {
        return PrivacyScanner({history, clipboard}, fileSystem, home.path().string(), [this, insight] {
            ++clipboardReads;
            return insight;
        });
    }
    std::vector<std::string> ids(const std::vector<model::PrivacyGroup>& groups) {
        std::vector<std::string> result;
        for (const auto& group : groups) result.push_back(group.id);
        return result;
    }
};

TEST(TrackerCookieGroupTest, DetailNamesFiveDomainsThenCountsTheRest) {
    PrivacyCookieStore::CookieProfile profile{model::BrowserKind::edge, "Profile 1", "/h/Cookies",
                                              {"a.com", "b.com", "c.com", "d.com", "e.com", "f.com", "g.com"}, 9, 4096};
    auto group = trackerCookieGroup(profile);
    EXPECT_EQ(group.id, "cookie:edge:Profile 1");
    EXPECT_EQ(group.title, "Microsoft Edge \u2014 Profile 1");
    EXPECT_EQ(group.detail, "a.com, b.com, c.com, d.com, e.com +2 more");
    EXPECT_EQ(group.trackerDomainCount, 7);
    ASSERT_EQ(group.targets.size(), 1u);
    EXPECT_EQ(group.targets[0].id, "cookie:edge:Profile 1:store");
    EXPECT_EQ(group.targets[0].label, "9 tracker cookies");
    EXPECT_TRUE(group.targets[0].isTrackerOnly);
    profile.trackerDomains.resize(5);
    EXPECT_EQ(trackerCookieGroup(profile).detail, "a.com, b.com, c.com, d.com, e.com");
}

TEST_F(PrivacyScannerTest, GroupsComeLargestFirstAndOptionalOnesOnlyWhenAsked) {
    const auto cookies = home / "Library/Application Support/Google/Chrome/Default/Cookies";
    std::filesystem::create_directories(cookies.parent_path());
    testing::writeChromiumCookieDatabase(cookies, {".doubleclick.net"});
    home.write("Library/Application Support/com.apple.sharedfilelist/a.sfl", std::string(1'000'000, 'r'));
    home.makeDirectory("Library/Application Support/com.apple.spotlight");  // empty: no group
    home.write(".bash_history", "ls\n");
    home.write(".zsh_history", "");

    auto plain = scanner(false, false);
    auto groups = plain.scan();
    EXPECT_EQ(clipboardReads, 0);
    // The megabyte of recents outweighs the small cookie store.
    EXPECT_EQ(ids(groups), (std::vector<std::string>{"recents:finder_recents", "cookie:chrome:Default"}));

    auto history = scanner(true, false).terminalHistoryGroup();
    ASSERT_TRUE(history);
    ASSERT_EQ(history->targets.size(), 1u);
    EXPECT_EQ(history->targets[0].id, "terminal:Bash History");

    ClipboardInsight finding{"Detected: Email address", true, 19, {"Email address"}};
    auto withClipboard = scanner(false, true, finding).scan();
    EXPECT_EQ(clipboardReads, 1);
    auto clip = std::find_if(withClipboard.begin(), withClipboard.end(),
                             [](const auto& g) { return g.id == "pasteboard:insight"; });
    ASSERT_NE(clip, withClipboard.end());
    EXPECT_EQ(clip->detail, "Detected: Email address");
    EXPECT_EQ(clip->targets[0].sizeBytes, 19);
    EXPECT_TRUE(clip->targets[0].path.empty());
    EXPECT_FALSE(scanner(false, true, ClipboardInsight{"Clipboard is empty", false, 0, {}}).pasteboardGroups());
}

TEST_F(PrivacyScannerTest, AStoreItsRunningBrowserHoldsIsListedAsBusyInsteadOfDropped) {
    const auto store = home / "Library/Application Support/Firefox/Profiles/abc.default/cookies.sqlite";
    testing::writeFirefoxCookieDatabase(store, {".doubleclick.net"});
    testing::RunningBrowser firefox(store);
    const auto groups = scanner(false, false).scan();
    ASSERT_EQ(ids(groups), std::vector<std::string>{"cookie:firefox:abc.default"});
    EXPECT_EQ(groups[0].detail, "Firefox is running: quit Firefox and scan again");
    ASSERT_EQ(groups[0].targets.size(), 1u);
    const auto& target = groups[0].targets[0];
    EXPECT_TRUE(target.isBusy);
    EXPECT_EQ(target.path, store.string());
    EXPECT_TRUE(target.domains.empty());
    EXPECT_EQ(target.sizeBytes, 0) << "nothing of it can be cleaned";
}

TEST_F(PrivacyScannerTest, SizesAreWhatTheDiskGivesBackAndLinksCountAsThemselves) {
    home.write("store/a", std::string(1000, 'a'));
    home.write("store/sub/b", std::string(500, 'b'));
    std::filesystem::create_directory_symlink(home / "store", home / "store/loop");
    const auto file = home.write("one", std::string(700, 'o'));
    // The clean frees a folder's blocks, and a file's bytes on disk.
    EXPECT_EQ(scanner(false, false).sizeOfItem((home / "store").string()), fileSystem.diskUsage((home / "store").string()));
    EXPECT_GT(fileSystem.diskUsage((home / "store").string()), 1500 + 4096) << "every file and folder has its blocks";
    EXPECT_EQ(scanner(false, false).sizeOfItem(file.string()), 700);
    EXPECT_EQ(scanner(false, false).sizeOfItem((home / "missing").string()), 0);
}

TEST_F(PrivacyScannerTest, TrackerCookiesWeighNothingAndCountTheirCookies) {
    const auto store = home / "Library/Application Support/Google/Chrome/Default/Cookies";
    testing::writeChromiumCookieDatabase(store, {".doubleclick.net", "doubleclick.net", ".hotjar.com", "news.example"});
    const auto groups = scanner(false, false).scan();
    ASSERT_EQ(ids(groups), std::vector<std::string>{"cookie:chrome:Default"});
    ASSERT_EQ(groups[0].targets.size(), 1u);
    EXPECT_EQ(groups[0].targets[0].sizeBytes, 0) << "removing rows leaves the store its size";
    EXPECT_EQ(groups[0].targets[0].label, "3 tracker cookies");
    EXPECT_EQ(groups[0].trackerDomainCount, 2);
}

}  // namespace
}  // namespace zentrel::scanners
