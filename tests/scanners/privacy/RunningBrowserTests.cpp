#include "scanners/privacy/RunningBrowser.hpp"

#include "doubles/CookieStoreFixtures.hpp"
#include "doubles/FakeProcessSystem.hpp"
#include "doubles/HeldFileLock.hpp"
#include "doubles/TempDir.hpp"
#include "platform/files/PosixFileSystem.hpp"
#include "scanners/privacy/PrivacyCookieStore.hpp"
#include "scanners/privacy/PrivacySweepError.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace zentrel::scanners {
namespace {

namespace fs = std::filesystem;

using platform::FileLockState;
using platform::SocketAnswer;

// What the checks are told, and whether the store counts as held.
struct HoldCase {
    const char* label;
    const char* store;          // relative to the home
    const char* lock;           // the lock link, relative to the home
    const char* lockTarget;     // what it names
    std::function<void(testing::FakeProcessSystem&, const std::string& home)> system;
    std::optional<BrowserHold> held;
};

const std::vector<HoldCase>& holdCases() {
    using Record = platform::ProcessRecord;
    static const char* chromeStore = ".config/chromium/Default/Cookies";
    static const char* chromeLock = ".config/chromium/SingletonLock";
    static const char* firefoxStore = ".mozilla/firefox/abc.default/cookies.sqlite";
    static const char* firefoxLock = ".mozilla/firefox/abc.default/lock";
    static const char* flatpakStore = ".var/app/org.chromium.Chromium/config/chromium/Default/Cookies";
    static const char* flatpakLock = ".var/app/org.chromium.Chromium/config/chromium/SingletonLock";
    const auto nothing = [](testing::FakeProcessSystem&, const std::string&) {};
    static const std::vector<HoldCase> cases = {
        {"a pid no process of this system has", chromeStore, chromeLock, "desk-4242", nothing, BrowserHold::maybeSandboxed},
        {"a pid of another program here", chromeStore, chromeLock, "desk-7",
         [](auto& system, const auto&) { system.running.push_back(Record{7, "bash", {"bash"}}); },
         BrowserHold::maybeSandboxed},
        {"a lock of another computer", chromeStore, chromeLock, "laptop-7",
         [](auto& system, const auto&) { system.running.push_back(Record{7, "chromium", {"chromium"}}); },
         BrowserHold::maybeSandboxed},
        {"a Chromium on another profile", chromeStore, chromeLock, "desk-7",
         [](auto& system, const auto& home) {
             system.running.push_back(Record{7, "chromium", {"chromium", "--user-data-dir=" + home + "/other"}});
         },
         std::nullopt},
        {"a Chromium named on this profile", chromeStore, chromeLock, "desk-4242",
         [](auto& system, const auto& home) {
             system.running.push_back(Record{8, "chromium", {"chromium", "--user-data-dir", home + "/.config/chromium/"}});
         },
         BrowserHold::running},
        {"a Chromium with files of this profile open", chromeStore, chromeLock, "desk-7",
         [](auto& system, const auto& home) {
             system.running.push_back(Record{7, "chrome", {"chrome"}});
             system.open[7] = {home + "/.config/chromium/Default/History"};
         },
         BrowserHold::running},
        {"the singleton socket answers", chromeStore, chromeLock, "desk-7",
         [](auto& system, const auto& home) {
             system.running.push_back(Record{7, "chromium", {"chromium", "--user-data-dir=" + home + "/other"}});
             system.sockets[home + "/.config/chromium/SingletonSocket"] = SocketAnswer::answers;
         },
         BrowserHold::running},
        {"the singleton socket refuses", chromeStore, chromeLock, "desk-4242",
         [](auto& system, const auto& home) {
             system.sockets[home + "/.config/chromium/SingletonSocket"] = SocketAnswer::refused;
         },
         std::nullopt},
        {"Firefox's lock is held", firefoxStore, firefoxLock, "127.0.1.1:+4242",
         [](auto& system, const auto& home) {
             system.locks[home + "/.mozilla/firefox/abc.default/.parentlock"] = FileLockState::locked;
         },
         BrowserHold::running},
        {"Firefox's lock is free, its pid a Firefox", firefoxStore, firefoxLock, "127.0.1.1:+7",
         [](auto& system, const auto& home) {
             system.running.push_back(Record{7, "firefox", {"firefox"}});
             system.locks[home + "/.mozilla/firefox/abc.default/.parentlock"] = FileLockState::unlocked;
         },
         std::nullopt},
        {"Firefox's lock is free, its pid unknown", firefoxStore, firefoxLock, "127.0.1.1:+4242",
         [](auto& system, const auto& home) {
             system.locks[home + "/.mozilla/firefox/abc.default/.parentlock"] = FileLockState::unlocked;
         },
         std::nullopt},
        {"a content process of another profile", firefoxStore, firefoxLock, "127.0.1.1:+7",
         [](auto& system, const auto& home) {
             system.running.push_back(Record{7, "firefox-esr", {"firefox-esr", "-contentproc", "-profile", home + "/p2"}});
             system.open[7] = {home + "/p2/places.sqlite"};
         },
         std::nullopt},
        {"a Firefox named on this profile", firefoxStore, firefoxLock, "127.0.1.1:+4242",
         [](auto& system, const auto& home) {
             system.running.push_back(Record{9, "firefox", {"firefox", "-profile", home + "/.mozilla/firefox/abc.default"}});
             system.locks[home + "/.mozilla/firefox/abc.default/.parentlock"] = FileLockState::unlocked;
         },
         BrowserHold::running},
        {"only a lock link, naming a pid no process has", firefoxStore, firefoxLock, "127.0.1.1:+4242", nothing,
         BrowserHold::maybeSandboxed},
        {"a lock link naming nothing", firefoxStore, firefoxLock, "garbage", nothing, std::nullopt},
        {"a sandbox instance runs", flatpakStore, flatpakLock, "desk-2",
         [](auto& system, const auto& home) {
             system.runtime = home + "/run";
             system.locks[home + "/run/.flatpak/1234/.ref"] = FileLockState::locked;
         },
         BrowserHold::running},
        {"a sandbox instance ended", flatpakStore, flatpakLock, "desk-2",
         [](auto& system, const auto& home) {
             system.runtime = home + "/run";
             system.locks[home + "/run/.flatpak/1234/.ref"] = FileLockState::unlocked;
         },
         std::nullopt},
        {"no sandbox instance of the app", flatpakStore, flatpakLock, "desk-2",
         [](auto& system, const auto& home) { system.runtime = home + "/run-none"; }, std::nullopt},
        {"no runtime folder to ask", flatpakStore, flatpakLock, "desk-4242", nothing, BrowserHold::maybeSandboxed},
    };
    return cases;
}

TEST(RunningBrowserTest, AStoreIsHeldByWhatItsLockAndItsSandboxSay) {
    for (const auto& each : holdCases()) {
        SCOPED_TRACE(each.label);
        testing::TempDir home;
        home.write(each.store, "");
        fs::create_symlink(each.lockTarget, home / each.lock);
        home.write("run/.flatpak/1234/info", "[Application]\nname=org.chromium.Chromium\n\n[Instance]\ninstance-id=1234\n");
        home.write("run/.flatpak/99/info", "[Application]\nname=org.mozilla.firefox\n");
        home.makeDirectory("run-none/.flatpak");
        testing::FakeProcessSystem system;
        each.system(system, home.path().string());
        platform::PosixFileSystem fileSystem;
        EXPECT_EQ(RunningBrowsers(system, fileSystem).holdOn((home / each.store).string()), each.held);
    }
}

TEST(RunningBrowserTest, TheDataFolderOfAFlatpakNamesItsApplication) {
    EXPECT_EQ(flatpakAppOfPath("/home/an/.var/app/org.chromium.Chromium/config/chromium"), "org.chromium.Chromium");
    EXPECT_EQ(flatpakAppOfPath("/home/an/.config/chromium"), std::nullopt);
    EXPECT_EQ(flatpakAppOfPath("/home/an/.var/app"), std::nullopt);
}

// The real system: a lock held by another process, seen through its lock
// file; a Flatpak instance whose process lives in a pid namespace of its own.
TEST(RunningBrowserTest, ALockHeldByAnotherProcessOrNamespaceHoldsTheStore) {
    testing::TempDir home;
    const auto store = home.write(".mozilla/firefox/abc.default/cookies.sqlite", "");
    home.write(".mozilla/firefox/abc.default/.parentlock", "");
    platform::PosixFileSystem fileSystem;
    const platform::LinuxProcessSystem system("/proc", (home / "run").string());
    const RunningBrowsers browsers(system, fileSystem);
    {
        testing::HeldFileLock firefox(home / ".mozilla/firefox/abc.default/.parentlock");
        ASSERT_TRUE(firefox.started());
        EXPECT_EQ(browsers.holdOn(store.string()), BrowserHold::running);
    }
    EXPECT_EQ(browsers.holdOn(store.string()), std::nullopt);

    const auto sandboxed = home.write(".var/app/org.chromium.Chromium/config/chromium/Default/Cookies", "");
    home.write("run/.flatpak/77/info", "[Application]\nname=org.chromium.Chromium\n");
    const auto ref = home.write("run/.flatpak/77/.ref", "");
    testing::HeldFileLock instance(ref, true);
    if (!instance.started()) GTEST_SKIP() << "no pid namespace can be made here";
    EXPECT_EQ(instance.pidInItsNamespace(), 1);
    // The lock names the browser's pid as its namespace numbers it.
    fs::create_symlink(system.hostName() + "-2", home / ".var/app/org.chromium.Chromium/config/chromium/SingletonLock");
    EXPECT_EQ(browsers.holdOn(sandboxed.string()), BrowserHold::running);
    const auto outside = home.write(".config/chromium/Default/Cookies", "");
    fs::create_symlink(system.hostName() + "-2", home / ".config/chromium/SingletonLock");
    EXPECT_EQ(browsers.holdOn(outside.string()), BrowserHold::maybeSandboxed);
    instance.release();
    EXPECT_EQ(browsers.holdOn(sandboxed.string()), std::nullopt);
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
    const testing::HeldFileLock firefox(home / ".mozilla/firefox/abc.default/.parentlock");
    ASSERT_TRUE(firefox.started());
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
