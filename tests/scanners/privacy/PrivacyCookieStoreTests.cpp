#include "doubles/CookieStoreFixtures.hpp"
#include "doubles/TempDir.hpp"
#include "doubles/WarningCapture.hpp"
#include "platform/files/AtomicFile.hpp"
#include "platform/files/PosixFileSystem.hpp"
#include "scanners/privacy/PrivacyCookieStore.hpp"
#include "scanners/privacy/PrivacySweepError.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace zentrel::scanners {
namespace {

using namespace std::chrono_literals;
using model::BrowserKind;
using testing::BinaryCookie;
using Profile = PrivacyCookieStore::CookieProfile;

constexpr const char* kSafariContainer = "Library/Containers/com.apple.Safari/Data/Library/Cookies/Cookies.binarycookies";
constexpr const char* kSafariPlain = "Library/Cookies/Cookies.binarycookies";
constexpr const char* kChrome = "Library/Application Support/Google/Chrome";
constexpr const char* kArc = "Library/Application Support/Arc/User Data";
constexpr const char* kEdge = "Library/Application Support/Microsoft Edge";
constexpr const char* kFirefox = "Library/Application Support/Firefox/Profiles";

class PrivacyCookieStoreTest : public ::testing::Test {
protected:
    std::string path(const std::filesystem::path& relative) const { return (home / relative).string(); }

    Profile profile(BrowserKind browser, std::string name, const std::filesystem::path& relative,
                    std::vector<std::string> trackers) const {
        const auto count = static_cast<std::int64_t>(trackers.size());
        const auto size = static_cast<std::int64_t>(std::filesystem::file_size(home / relative));
        return {browser, std::move(name), path(relative), std::move(trackers), count, size};
    }

    void writeSafari(const std::filesystem::path& relative, const std::vector<BinaryCookie>& cookies) {
        home.write(relative, testing::binaryCookieFile({testing::binaryCookiePage(cookies)}));
    }

    testing::TempDir home;
    testing::TempDir elsewhere;
    platform::PosixFileSystem fileSystem;
    PrivacyCookieStore store{fileSystem, home.path().string(), 0ms};
};

TEST_F(PrivacyCookieStoreTest, FindsTheStoresOfEveryBrowserInOrder) {
    writeSafari(kSafariContainer, {{"example.com"}, {".doubleclick.net"}, {"hotjar.com"}});
    writeSafari(kSafariPlain, {{"x.ads.shop.com"}});
    testing::writeChromiumCookieDatabase(home / kChrome / "Default/Cookies", {"a.com", ".doubleclick.net"});
    testing::writeChromiumCookieDatabase(home / kChrome / "Profile 2/Cookies", {"taboola.com", ".criteo.com"});
    testing::writeChromiumCookieDatabase(home / kArc / "Profile 1/Cookies", {"stats.g.doubleclick.net"});
    testing::writeChromiumCookieDatabase(home / kEdge / "Default/Cookies", {"bing.com", "clarity.ms"});
    testing::writeFirefoxCookieDatabase(home / kFirefox / "abc.default-release/cookies.sqlite",
                                        {".hotjar.com", "mozilla.org"});

    EXPECT_EQ(store.allProfiles(),
              (std::vector<Profile>{
                  profile(BrowserKind::safari, "Safari", kSafariContainer, {".doubleclick.net", "hotjar.com"}),
                  profile(BrowserKind::safari, "Safari", kSafariPlain, {"x.ads.shop.com"}),
                  profile(BrowserKind::chrome, "Default", std::string(kChrome) + "/Default/Cookies", {".doubleclick.net"}),
                  profile(BrowserKind::chrome, "Profile 2", std::string(kChrome) + "/Profile 2/Cookies",
                          {".criteo.com", "taboola.com"}),
                  profile(BrowserKind::arc, "Profile 1", std::string(kArc) + "/Profile 1/Cookies",
                          {"stats.g.doubleclick.net"}),
                  profile(BrowserKind::edge, "Default", std::string(kEdge) + "/Default/Cookies", {"clarity.ms"}),
                  profile(BrowserKind::firefox, "abc.default-release",
                          std::string(kFirefox) + "/abc.default-release/cookies.sqlite", {".hotjar.com"}),
              }));
}

// A store's tracker cookies are its cookies of tracker hosts, however many a host has.
TEST_F(PrivacyCookieStoreTest, TrackerCookiesAreCountedOnePerCookie) {
    writeSafari(kSafariPlain, {{".hotjar.com"}, {".hotjar.com", 4, "other"}, {"example.com"}});
    testing::writeChromiumCookieDatabase(home / kChrome / "Default/Cookies",
                                         {".doubleclick.net", ".doubleclick.net", "doubleclick.net", "a.com"});
    const auto profiles = store.allProfiles();
    ASSERT_EQ(profiles.size(), 2u);
    EXPECT_EQ(profiles[0].trackerCount, 2);
    EXPECT_EQ(profiles[0].trackerDomains, std::vector<std::string>{".hotjar.com"});
    EXPECT_EQ(profiles[1].trackerCount, 3);
    EXPECT_EQ(profiles[1].trackerDomains, (std::vector<std::string>{".doubleclick.net", "doubleclick.net"}));
}

TEST_F(PrivacyCookieStoreTest, ExaminesOnlyDefaultAndProfileFoldersOfAChromiumBrowser) {
    for (const char* folder : {"Default", "Profile 1", "Guest Profile", "System Profile", "Profile", "ProfileX",
                               "profile 3", "Crashpad"}) {
        testing::writeChromiumCookieDatabase(home / kChrome / folder / "Cookies", {"doubleclick.net"});
    }
    testing::writeChromiumCookieDatabase(home / kChrome / "Profile 4/Cookies", {"example.com"});  // no tracker
    home.makeDirectory(std::filesystem::path(kChrome) / "Profile 5");                             // no store
    home.makeDirectory(std::filesystem::path(kChrome) / "Profile 6/Cookies");                     // not a file

    std::vector<std::string> names;
    for (const auto& found : store.chromiumProfiles(BrowserKind::chrome, "Google/Chrome")) names.push_back(found.profileName);
    EXPECT_EQ(names, (std::vector<std::string>{"Default", "Profile 1"}));
    EXPECT_TRUE(store.chromiumProfiles(BrowserKind::edge, "Microsoft Edge").empty());
}

TEST_F(PrivacyCookieStoreTest, TakesEveryFirefoxProfileFolderWithAStore) {
    testing::writeFirefoxCookieDatabase(home / kFirefox / "one/cookies.sqlite", {"hotjar.com"});
    testing::writeFirefoxCookieDatabase(home / kFirefox / "Two Words/cookies.sqlite", {"mixpanel.com"});
    testing::writeChromiumCookieDatabase(home / kFirefox / "wrong-schema/cookies.sqlite", {"hotjar.com"});
    home.write(std::filesystem::path(kFirefox) / "profiles.ini", "[General]\n");

    std::vector<std::string> names;
    for (const auto& found : store.firefoxProfiles()) names.push_back(found.profileName);
    EXPECT_EQ(names, (std::vector<std::string>{"Two Words", "one"}));
}

TEST_F(PrivacyCookieStoreTest, OnALinuxDesktopEveryChromiumProfileIsReadAtTheCurrentAndTheOlderPlace) {
    const auto table = platform::HostTable::linuxDesktop(platform::HostLayout::forHome(home.path(), {}), fileSystem, 1000);
    const PrivacyCookieStore linuxStore{fileSystem, table, 0ms};
    const std::vector<std::pair<BrowserKind, std::string>> stores = {
        {BrowserKind::chrome, ".config/google-chrome/Default/Network/Cookies"},
        {BrowserKind::chrome, ".config/google-chrome/Default/Cookies"},
        {BrowserKind::chromium, ".config/chromium/Profile 1/Network/Cookies"},
        {BrowserKind::brave, ".config/BraveSoftware/Brave-Browser/Default/Cookies"},
        {BrowserKind::edge, ".config/microsoft-edge/Profile 2/Network/Cookies"},
    };
    for (const auto& [browser, relative] : stores) testing::writeChromiumCookieDatabase(home / relative, {"doubleclick.net"});
    // Firefox's profiles are those profiles.ini names, in its order.
    home.write(".mozilla/firefox/profiles.ini", "[Profile1]\nName=work\nIsRelative=1\nPath=w.work\n\n"
                                                "[Profile0]\nName=default\nIsRelative=1\nPath=d.default\n");
    for (const char* folder : {"d.default", "w.work", "stray"})
        testing::writeFirefoxCookieDatabase(home / ".mozilla/firefox" / folder / "cookies.sqlite", {"hotjar.com"});

    std::vector<std::pair<BrowserKind, std::string>> found;
    for (const auto& profile : linuxStore.allProfiles())
        found.emplace_back(profile.browser, std::filesystem::relative(profile.storePath, home.path()).string());
    EXPECT_EQ(found, (std::vector<std::pair<BrowserKind, std::string>>{
                         stores[0], stores[1], stores[2], stores[3], stores[4],
                         {BrowserKind::firefox, ".mozilla/firefox/w.work/cookies.sqlite"},
                         {BrowserKind::firefox, ".mozilla/firefox/d.default/cookies.sqlite"}}));

    // A Mac's Chromium profiles keep theirs at both places too.
    testing::writeChromiumCookieDatabase(home / kChrome / "Default/Network/Cookies", {"doubleclick.net"});
    EXPECT_EQ(store.chromiumProfiles(BrowserKind::chrome, "Google/Chrome").size(), 1u);
}

TEST_F(PrivacyCookieStoreTest, AFirefoxProfileWrittenSeveralWaysInProfilesIniIsOneStore) {
    const auto table = platform::HostTable::linuxDesktop(platform::HostLayout::forHome(home.path(), {}), fileSystem, 1000);
    const PrivacyCookieStore linuxStore{fileSystem, table, 0ms};
    home.write(".mozilla/firefox/profiles.ini", "[Profile0]\nPath=abc.default\n[Profile1]\nPath=./abc.default\n"
                                                "[Profile2]\nPath=abc.default/\n[Profile3]\nIsRelative=0\nPath=" +
                                                    path(".mozilla/firefox/abc.default//") + "\n");
    testing::writeFirefoxCookieDatabase(home / ".mozilla/firefox/abc.default/cookies.sqlite", {"hotjar.com"});
    const auto profiles = linuxStore.firefoxProfiles();
    ASSERT_EQ(profiles.size(), 1u);
    EXPECT_EQ(profiles[0].profileName, "abc.default");
    EXPECT_EQ(profiles[0].storePath, path(".mozilla/firefox/abc.default/cookies.sqlite"));
}

TEST_F(PrivacyCookieStoreTest, FirefoxProfilesAreFoundInEveryPlaceOfThisDesktopAndOneOutsideTheHomeIsNamed) {
    const auto table = platform::HostTable::linuxDesktop(platform::HostLayout::forHome(home.path(), {}), fileSystem, 1000);
    const PrivacyCookieStore linuxStore{fileSystem, table, 0ms};
    const std::vector<std::string> places = {".config/mozilla/firefox", ".var/app/org.mozilla.firefox/.mozilla/firefox",
                                             "snap/firefox/common/.mozilla/firefox"};
    for (const auto& place : places) {
        home.write(place + "/profiles.ini", "[Profile0]\nPath=p.default\n");
        testing::writeFirefoxCookieDatabase(home / place / "p.default/cookies.sqlite", {"hotjar.com"});
    }
    testing::writeFirefoxCookieDatabase(elsewhere / "far.default/cookies.sqlite", {"hotjar.com"});
    home.write(".mozilla/firefox/profiles.ini",
               "[Profile0]\nIsRelative=0\nPath=" + (elsewhere / "far.default").string() + "\n");
    testing::WarningCapture warnings;

    std::vector<std::string> found;
    for (const auto& profile : linuxStore.firefoxProfiles())
        found.push_back(std::filesystem::relative(profile.storePath, home.path()).string());
    EXPECT_EQ(found, (std::vector<std::string>{places[0] + "/p.default/cookies.sqlite",
                                               places[1] + "/p.default/cookies.sqlite",
                                               places[2] + "/p.default/cookies.sqlite"}));
    ASSERT_EQ(warnings.lines().size(), 1u);
    EXPECT_NE(warnings.lines()[0].find("far.default"), std::string::npos) << warnings.lines()[0];
    EXPECT_NE(warnings.lines()[0].find("outside the home folder"), std::string::npos) << warnings.lines()[0];
}

TEST_F(PrivacyCookieStoreTest, FindsNothingInAnEmptyHomeOrInStoresWithoutTrackers) {
    EXPECT_TRUE(store.allProfiles().empty());
    writeSafari(kSafariPlain, {{"example.com"}, {"doubleclick.net", 0}});
    home.write(kSafariContainer, "COOK" + std::string(20, '\0'));
    testing::writeChromiumCookieDatabase(home / kChrome / "Default/Cookies", {"example.com"});
    home.write(std::filesystem::path(kArc) / "Default/Cookies", "not a database at all, just text");
    EXPECT_TRUE(store.allProfiles().empty());
}

TEST_F(PrivacyCookieStoreTest, IgnoresStoresReachedThroughLinksOutOfTheHome) {
    testing::writeChromiumCookieDatabase(elsewhere / "Default/Cookies", {"doubleclick.net"});
    testing::writeChromiumCookieDatabase(elsewhere / "Other/Cookies", {"doubleclick.net"});
    home.makeDirectory(std::filesystem::path(kChrome) / "Profile 1");
    std::filesystem::create_symlink(elsewhere / "Default", home / kChrome / "Default");
    std::filesystem::create_symlink(elsewhere / "Other/Cookies", home / kChrome / "Profile 1/Cookies");
    std::filesystem::create_directories((home / kSafariPlain).parent_path());
    std::filesystem::create_symlink(elsewhere / "Other/Cookies", home / kSafariPlain);

    EXPECT_TRUE(store.allProfiles().empty());
}

TEST_F(PrivacyCookieStoreTest, RemovesTrackerCookiesFromASafariFileAndKeepsTheRest) {
    writeSafari(kSafariPlain, {{"example.com"}, {".doubleclick.net"}, {"Hotjar.com"}, {"x.hotjar.com"}});
    std::filesystem::permissions(home / kSafariPlain, std::filesystem::perms(0644));
    const auto removed = store.removeTrackerCookiesFromBinaryCookies(path(kSafariPlain), {"DoubleClick.net", ".hotjar.com"});
    EXPECT_EQ(removed, 2);
    EXPECT_EQ(platform::readWholeFile(home / kSafariPlain),
              testing::binaryCookieFile({testing::binaryCookiePage(std::vector<BinaryCookie>{{"example.com"}, {"x.hotjar.com"}})}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator((home / kSafariPlain).parent_path()), {}), 1);
    EXPECT_EQ(std::filesystem::status(home / kSafariPlain).permissions(), std::filesystem::perms(0644))
        << "the rewritten store keeps its mode";
}

TEST_F(PrivacyCookieStoreTest, LeavesASafariFileUntouchedWhenNothingMatches) {
    writeSafari(kSafariPlain, {{"example.com"}, {"doubleclick.net", 0}});
    const auto file = home / kSafariPlain;
    std::filesystem::last_write_time(file, std::filesystem::file_time_type{});
    const auto before = platform::readWholeFile(file);

    EXPECT_EQ(store.removeTrackerCookiesFromBinaryCookies(file.string(), {"doubleclick.net"}), 0);
    EXPECT_EQ(store.removeTrackerCookiesFromBinaryCookies(file.string(), {}), 0);
    EXPECT_EQ(platform::readWholeFile(file), before);
    EXPECT_EQ(std::filesystem::last_write_time(file), std::filesystem::file_time_type{});
}

TEST_F(PrivacyCookieStoreTest, TreatsASafariFileOfEightBytesAsEmpty) {
    const auto file = home.write(kSafariPlain, std::string("cook\0\0\0\0", 8));
    EXPECT_EQ(store.removeTrackerCookiesFromBinaryCookies(file.string(), {"doubleclick.net"}), 0);
    EXPECT_EQ(platform::readWholeFile(file), std::string("cook\0\0\0\0", 8));
    EXPECT_TRUE(store.safariProfiles().empty());
}

TEST_F(PrivacyCookieStoreTest, RefusesADamagedSafariFileAndLeavesItAsItWas) {
    const std::string page = testing::binaryCookiePage(std::vector<BinaryCookie>{{"doubleclick.net"}, {"a.com"}});
    const std::string truncated = testing::binaryCookieFile({page, page}).substr(0, 16 + page.size() + 10);
    for (const std::string& contents : {truncated, "COOK" + testing::binaryCookieFile({page}).substr(4)}) {
        const auto file = home.write(kSafariPlain, contents);
        try {
            (void)store.removeTrackerCookiesFromBinaryCookies(file.string(), {"doubleclick.net"});
            FAIL() << "a damaged file was rewritten";
        } catch (const PrivacySweepError& error) {
            EXPECT_EQ(error, PrivacySweepError::cookieStoreDamaged(file.string()));
        }
        EXPECT_EQ(platform::readWholeFile(file), contents);
    }
}

TEST_F(PrivacyCookieStoreTest, RefusesStoresThatAreMissingLinkedOrOutsideTheHome) {
    const auto outside = elsewhere.write("Cookies.binarycookies",
                                         testing::binaryCookieFile({testing::binaryCookiePage(
                                             std::vector<BinaryCookie>{{"doubleclick.net"}})}));
    const auto outsideDatabase = elsewhere / "Cookies";
    testing::writeChromiumCookieDatabase(outsideDatabase, {"doubleclick.net"});
    std::filesystem::create_directories(home / "Library/Cookies");
    std::filesystem::create_symlink(outside, home / kSafariPlain);
    std::filesystem::create_symlink(elsewhere.path(), home / "linked");

    const std::vector<std::string> refused = {
        outside.string(), path(kSafariPlain), path("linked/Cookies.binarycookies"), path("missing"),
        path("Library/../../" + elsewhere.path().filename().string() + "/Cookies.binarycookies"),
    };
    for (const auto& store_path : refused) {
        SCOPED_TRACE(store_path);
        EXPECT_THROW((void)store.removeTrackerCookiesFromBinaryCookies(store_path, {"doubleclick.net"}),
                     PrivacySweepError);
    }
    for (const auto& database : {outsideDatabase.string(), path("linked/Cookies")}) {
        SCOPED_TRACE(database);
        try {
            (void)store.removeTrackerCookiesFromSQLite(database, {"doubleclick.net"}, BrowserKind::chrome);
            FAIL() << "a store outside the home was changed";
        } catch (const PrivacySweepError& error) {
            EXPECT_EQ(error, PrivacySweepError::cookieStoreOpenFailed(database));
        }
    }
    EXPECT_EQ(testing::chromiumCookieHosts(outsideDatabase), std::vector<std::string>{"doubleclick.net"});
    EXPECT_EQ(store.readBinaryCookieHosts(outside.string()), std::vector<std::string>{"doubleclick.net"});
}

TEST_F(PrivacyCookieStoreTest, RemovesTrackerCookiesFromTheDatabaseOfEachSchema) {
    const auto chrome = home / kChrome / "Default/Cookies";
    const auto firefox = home / kFirefox / "p/cookies.sqlite";
    testing::writeChromiumCookieDatabase(chrome, {".doubleclick.net", "t.co", "microsoft.com", "x.t.co"});
    testing::writeFirefoxCookieDatabase(firefox, {".doubleclick.net", "t.co", "microsoft.com"});

    EXPECT_EQ(store.removeTrackerCookiesFromSQLite(chrome.string(), {".doubleclick.net", "t.co"}, BrowserKind::chrome), 3);
    EXPECT_EQ(testing::chromiumCookieHosts(chrome), std::vector<std::string>{"microsoft.com"});
    EXPECT_EQ(store.removeTrackerCookiesFromSQLite(firefox.string(), {"t.co"}, BrowserKind::firefox), 1);
    EXPECT_EQ(testing::firefoxCookieHosts(firefox), (std::vector<std::string>{".doubleclick.net", "microsoft.com"}));
    EXPECT_EQ(store.removeTrackerCookiesFromSQLite(path("missing/Cookies"), {}, BrowserKind::edge), 0);
}

TEST(PrivacyCookieStoreStaticTest, NamesTheChromiumFoldersAndTheBusyTimeout) {
    EXPECT_EQ(PrivacyCookieStore::chromiumFolder(BrowserKind::chrome), "Google/Chrome");
    EXPECT_EQ(PrivacyCookieStore::chromiumFolder(BrowserKind::arc), "Arc/User Data");
    EXPECT_EQ(PrivacyCookieStore::chromiumFolder(BrowserKind::edge), "Microsoft Edge");
    EXPECT_EQ(PrivacyCookieStore::chromiumFolder(BrowserKind::safari), std::nullopt);
    EXPECT_EQ(PrivacyCookieStore::chromiumFolder(BrowserKind::firefox), std::nullopt);
    EXPECT_GE(PrivacyCookieStore::kDefaultBusyTimeout, 1000ms);
}

TEST(PrivacySweepErrorTest, DescribesEachCase) {
    EXPECT_EQ(PrivacySweepError::cookieStoreOpenFailed("/h/Cookies").errorDescription(),
              "Could not open cookie store at /h/Cookies");
    EXPECT_EQ(PrivacySweepError::backupFailed("Chrome: t.co").errorDescription(), "Could not back up Chrome: t.co");
    EXPECT_STREQ(PrivacySweepError::backupFailed("x").what(), "Could not back up x");
    EXPECT_NE(PrivacySweepError::cookieStoreDamaged("/h/C").errorDescription().find("/h/C"), std::string::npos);
    EXPECT_NE(PrivacySweepError::cookieStoreBusy("/h/C").errorDescription().find("/h/C"), std::string::npos);
    EXPECT_NE(PrivacySweepError::cookieStoreBusy("/h/C"), PrivacySweepError::cookieStoreDamaged("/h/C"));
}

}  // namespace
}  // namespace zentrel::scanners
