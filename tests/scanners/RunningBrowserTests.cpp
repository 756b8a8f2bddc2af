#include "scanners/RunningBrowser.hpp"

#include "doubles/CookieStoreFixtures.hpp"
#include "doubles/TempDir.hpp"
#include "scanners/PrivacyCookieStore.hpp"
#include "platform/PosixFileSystem.hpp"
#include "scanners/PrivacySweepError.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace zentrel::scanners {
namespace {

namespace fs = std::filesystem;

std::string hostName() {
    char name[256] = {};
    ::gethostname(name, sizeof name - 1);
    return name;
}

// The id of a process that has ended.
pid_t endedProcess() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

TEST(RunningBrowserTest, ALockLinkCountsOnlyWhileItsProcessLivesOnThisHost) {
    const auto live = std::to_string(::getpid());
    const auto ended = std::to_string(endedProcess());
    struct Case {
        const char* store;  // relative to the browser's folder
        const char* lock;   // where the lock link lies
        std::string target;
        bool held;
    };
    const std::vector<Case> cases = {
        {"Default/Network/Cookies", "SingletonLock", hostName() + "-" + live, true},
        {"Profile 1/Cookies", "SingletonLock", hostName() + "-" + live, true},
        {"Default/Network/Cookies", "SingletonLock", hostName() + "-" + ended, false},
        {"Default/Network/Cookies", "SingletonLock", "another-host-" + live, false},
        {"abc.default/cookies.sqlite", "abc.default/lock", "127.0.1.1:+" + live, true},
        {"abc.default/cookies.sqlite", "abc.default/lock", "127.0.1.1:+" + ended, false},
        {"abc.default/cookies.sqlite", "abc.default/lock", "garbage", false},
    };
    for (const auto& each : cases) {
        testing::TempDir browser;
        const auto store = browser.write(each.store, "");
        fs::create_symlink(each.target, browser / each.lock);
        EXPECT_EQ(isHeldByRunningBrowser(store.string()), each.held) << each.store << " " << each.target;
    }
}

TEST(RunningBrowserTest, AStoreBelongsToTheBrowserWhoseFolderHoldsIt) {
    testing::TempDir home;
    platform::PosixFileSystem fileSystem;
    const auto table = platform::HostTable::linuxDesktop(platform::HostLayout::forHome(home.path(), {}), fileSystem, 1000);
    const auto folders = browserFolders(table);
    const std::vector<std::pair<std::string, std::optional<model::BrowserKind>>> cases = {
        {".config/google-chrome/Default/Cookies", model::BrowserKind::chrome},
        {".var/app/com.brave.Browser/config/BraveSoftware/Brave-Browser/Default/Network/Cookies", model::BrowserKind::brave},
        {"snap/firefox/common/.mozilla/firefox/abc.default/cookies.sqlite", model::BrowserKind::firefox},
        {".config/google-chrome-beta/Default/Cookies", std::nullopt},
        {".config/google-chrome/../vivaldi/Default/Cookies", std::nullopt},
    };
    for (const auto& [store, browser] : cases) EXPECT_EQ(browserOfStore((home / store).string(), folders), browser) << store;
}

TEST(RunningBrowserTest, AScanShowsAStoreOfARunningFirefoxAsBusy) {
    testing::TempDir home;
    platform::PosixFileSystem fileSystem;
    const auto table = platform::HostTable::linuxDesktop(platform::HostLayout::forHome(home.path(), {}), fileSystem, 1000);
    home.write(".mozilla/firefox/profiles.ini", "[Profile0]\nPath=abc.default\n");
    testing::writeFirefoxCookieDatabase(home / ".mozilla/firefox/abc.default/cookies.sqlite", {"hotjar.com"});
    fs::create_symlink("127.0.1.1:+" + std::to_string(::getpid()), home / ".mozilla/firefox/abc.default/lock");
    const auto profiles = PrivacyCookieStore(fileSystem, table).firefoxProfiles();
    ASSERT_EQ(profiles.size(), 1u);
    EXPECT_TRUE(profiles[0].isBusy);
    EXPECT_THROW((void)PrivacyCookieStore(fileSystem, table)
                     .removeTrackerCookiesFromSQLite(profiles[0].storePath, {"hotjar.com"}, model::BrowserKind::firefox),
                 PrivacySweepError);
    EXPECT_EQ(testing::cookieHosts(testing::CookieSchema::firefox, profiles[0].storePath),
              std::vector<std::string>{"hotjar.com"});
}

}  // namespace
}  // namespace zentrel::scanners
