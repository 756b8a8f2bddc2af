#include "scanners/RunningBrowser.hpp"

#include "doubles/BrowserStandIn.hpp"
#include "doubles/CookieStoreFixtures.hpp"
#include "doubles/TempDir.hpp"
#include "scanners/PrivacyCookieStore.hpp"
#include "platform/files/PosixFileSystem.hpp"
#include "scanners/PrivacySweepError.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <future>
#include <thread>
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

// A thread of this test's process that runs until the object ends.
class WaitingThread {
public:
    WaitingThread() : worker_([this] {
        id_.set_value(static_cast<pid_t>(::gettid()));
        finish_.get_future().wait();
    }) {
        id = ready_.get();
    }
    ~WaitingThread() {
        finish_.set_value();
        worker_.join();
    }
    pid_t id = 0;

private:
    std::promise<pid_t> id_;
    std::future<pid_t> ready_ = id_.get_future();
    std::promise<void> finish_;
    std::thread worker_;
};

TEST(RunningBrowserTest, ALockLinkCountsOnlyWhileItsBrowserRunsOnThisHost) {
    const testing::BrowserStandIn chromium("chromium");
    const testing::BrowserStandIn firefox("firefox-esr");
    const testing::SleepingProcess other;
    const auto live = std::to_string(chromium.pid());
    const auto ended = std::to_string(endedProcess());
    const auto notBrowser = std::to_string(other.pid());
    WaitingThread waiting;
    const auto thread = std::to_string(waiting.id);
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
        {"Default/Network/Cookies", "SingletonLock", hostName() + "-" + notBrowser, false},
        {"Default/Network/Cookies", "SingletonLock", hostName() + "-" + thread, false},
        {"Default/Network/Cookies", "SingletonLock", hostName() + "-" + std::to_string(firefox.pid()), false},
        {"abc.default/cookies.sqlite", "abc.default/lock", "127.0.1.1:+" + std::to_string(firefox.pid()), true},
        {"abc.default/cookies.sqlite", "abc.default/lock", "127.0.1.1:+" + ended, false},
        {"abc.default/cookies.sqlite", "abc.default/lock", "127.0.0.1:+" + notBrowser, false},
        {"abc.default/cookies.sqlite", "abc.default/lock", "127.0.0.1:+" + thread, false},
        {"abc.default/cookies.sqlite", "abc.default/lock", "127.0.0.1:+" + live, false},
        {"abc.default/cookies.sqlite", "abc.default/lock", "garbage", false},
    };
    for (const auto& each : cases) {
        testing::TempDir browser;
        const auto store = browser.write(each.store, "");
        fs::create_symlink(each.target, browser / each.lock);
        EXPECT_EQ(isHeldByRunningBrowser(store.string()), each.held) << each.store << " " << each.target;
    }
}

// A thread's id answers in /proc like a process's, under its process's program.
TEST(RunningBrowserTest, AThreadOfTheProgramIsNoProcessOfIt) {
    const auto self = fs::read_symlink("/proc/self/exe").filename().string();
    const std::string_view programs[] = {self};
    WaitingThread waiting;
    EXPECT_TRUE(isProcessOfProgram(std::to_string(::getpid()), programs));
    EXPECT_FALSE(isProcessOfProgram(std::to_string(waiting.id), programs));
    EXPECT_FALSE(isProcessOfProgram(std::to_string(::getpid()), std::span<const std::string_view>{}));
    EXPECT_FALSE(isProcessOfProgram("-1", programs));
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
    const testing::BrowserStandIn firefox("firefox");
    fs::create_symlink("127.0.1.1:+" + std::to_string(firefox.pid()), home / ".mozilla/firefox/abc.default/lock");
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
