#include "viewmodels/SweepRestorer.hpp"

#include "platform/desktop/MemoryClipboard.hpp"
#include "platform/files/PosixFileSystem.hpp"
#include "scanners/privacy/SQLiteCookieDatabase.hpp"

#include "doubles/CookieStoreFixtures.hpp"
#include "doubles/HeldFileLock.hpp"
#include "doubles/ListeningSocket.hpp"
#include "doubles/ManualExecutor.hpp"
#include "doubles/ManualMainQueue.hpp"
#include "doubles/ScopedDesktopTexts.hpp"
#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

#include <unistd.h>

namespace zentrel::viewmodels {
namespace {

TEST(JournalSweepRestorerTest, SavedClipboardTextGoesBackAndAnEmptyOneLeavesTheClipboardEmpty) {
    testing::TempDir home;
    scanners::SweepJournal journal(home.path(), {});
    testing::ManualExecutor pool;
    testing::ManualMainQueue main;
    platform::MemoryClipboard clipboard;
    JournalSweepRestorer restorer(journal, clipboard, pool, main);

    for (const std::string saved : {"4111 1111 1111 1111", ""}) {
        const auto backup = journal.backupPasteboard(saved, platform::Uuid::random());
        clipboard.setText("copied since the sweep");
        std::optional<std::optional<std::string>> answer;
        const model::SweepAction action{platform::Uuid::random(), model::SweepActionKind::pasteboardCleared,
                                        "Clipboard cleared", std::nullopt, backup, "pasteboard", false};
        restorer.restore({platform::Uuid::random(), {}, {}, {action}, 0}, action,
                         [&](std::optional<std::string> error, std::vector<platform::Uuid>, bool) { answer = error; });
        pool.runAll();
        main.drain();
        ASSERT_TRUE(answer);
        EXPECT_EQ(*answer, std::nullopt);
        EXPECT_EQ(clipboard.text(), saved.empty() ? std::nullopt : std::optional(saved)) << saved;
    }
}

TEST(JournalSweepRestorerTest, AnUndoWhileTheBrowserRunsNamesTheBrowserToQuitAndLeavesItsStoreAlone) {
    char host[256] = {};
    ::gethostname(host, sizeof host - 1);
    // Chromium's socket answers, Firefox's lock is held: both run on their profile.
    const testing::ListeningSocket chromium;
    using testing::CookieSchema;
    struct Case {
        std::string store;
        std::string lock;
        std::string lockTarget;
        CookieSchema schema;
        const char* language;
        std::string error;
    };
    const std::vector<Case> cases = {
        {".config/google-chrome/Default/Cookies", ".config/google-chrome/SingletonLock", host + std::string("-4242"),
         CookieSchema::chromium, "en", "Chrome is running: quit Chrome and undo again"},
        {".config/BraveSoftware/Brave-Browser/Profile 1/Network/Cookies", ".config/BraveSoftware/Brave-Browser/SingletonLock",
         host + std::string("-4242"), CookieSchema::chromium, "vi", "Brave \u0111ang ch\u1ea1y: h\u00e3y tho\u00e1t Brave r\u1ed3i ho\u00e0n t\u00e1c l\u1ea1i"},
        {".mozilla/firefox/abc.default/cookies.sqlite", ".mozilla/firefox/abc.default/lock", "127.0.1.1:+4242",
         CookieSchema::firefox, "en", "Firefox is running: quit Firefox and undo again"},
    };
    for (const auto& each : cases) {
        const testing::ScopedDesktopTexts texts(each.language);
        testing::TempDir home;
        const platform::PosixFileSystem fileSystem;
        const auto table = platform::HostTable::linuxDesktop(platform::HostLayout::forHome(home.path(), {}), fileSystem, 1000);
        scanners::SweepJournal journal(scanners::SweepJournal::placesFor(table), {});
        const auto store = home / each.store;
        testing::writeCookieDatabase(each.schema, store, {".doubleclick.net", "news.example"}, testing::JournalMode::rollback);
        const auto backup = journal.backupFile(store.string(), platform::Uuid::random());
        const auto layout = each.schema == CookieSchema::chromium ? scanners::kChromiumCookieTable : scanners::kFirefoxCookieTable;
        ASSERT_EQ(scanners::SQLiteCookieDatabase(layout, std::chrono::milliseconds(0)).deleteHosts(store.string(), {"doubleclick.net"}), 1);
        journal.noteSweptState(backup);
        std::filesystem::create_symlink(each.lockTarget, home / each.lock);
        const auto lockFolder = (home / each.lock).parent_path();
        std::optional<testing::HeldFileLock> firefox;
        if (each.schema == CookieSchema::firefox) {
            firefox.emplace(lockFolder / ".parentlock");
        } else {
            std::filesystem::create_symlink(chromium.path(), lockFolder / "SingletonSocket");
        }

        testing::ManualExecutor pool;
        testing::ManualMainQueue main;
        platform::MemoryClipboard clipboard;
        JournalSweepRestorer restorer(journal, clipboard, pool, main);
        const model::SweepAction action{platform::Uuid::random(), model::SweepActionKind::cookieDomain, "Tracker cookies",
                                        "doubleclick.net", backup, store.string(), false};
        std::optional<std::optional<std::string>> answer;
        restorer.restore({platform::Uuid::random(), {}, {}, {action}, 0}, action,
                         [&](std::optional<std::string> error, std::vector<platform::Uuid>, bool) { answer = error; });
        pool.runAll();
        main.drain();
        ASSERT_TRUE(answer) << each.store;
        EXPECT_EQ(*answer, each.error) << each.store;
        EXPECT_EQ(testing::cookieHosts(each.schema, store), std::vector<std::string>{"news.example"}) << each.store;
    }
}

}  // namespace
}  // namespace zentrel::viewmodels
