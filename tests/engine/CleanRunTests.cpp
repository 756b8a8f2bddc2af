#include "engine/CleanerEngine.hpp"

#include "platform/desktop/MemoryClipboard.hpp"
#include "platform/files/PosixFileSystem.hpp"

#include "doubles/CookieStoreFixtures.hpp"
#include "doubles/FakeClock.hpp"
#include "doubles/FakeFileSystem.hpp"
#include "doubles/ListeningSocket.hpp"
#include "doubles/ManualExecutor.hpp"
#include "doubles/ManualMainQueue.hpp"
#include "doubles/TempDir.hpp"
#include "doubles/WarningCapture.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace zentrel::engine {
namespace {

namespace fs = std::filesystem;
using model::CategoryType;
using model::CleaningProgressEvent;
using model::CleanItem;
using model::DeletionMethod;
using model::SweepActionKind;
using Event = CleaningProgressEvent::Kind;

CleanItem itemAt(const std::string& path, CategoryType category, std::int64_t sizeBytes,
                 DeletionMethod method = DeletionMethod::remove()) {
    CleanItem item;
    item.id = platform::Uuid::random();
    item.name = fs::path(path).filename().string();
    item.path = path;
    item.category = category;
    item.sizeBytes = sizeBytes;
    item.deletionMethod = std::move(method);
    return item;
}

std::string contentsOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// An engine with every collaborator of a clean run, on a file system of the
// test's choice, run step by step on the test's thread.
class CleanRunHarness {
public:
    // The journal keeps its records under journalHome, a real folder: the
    // double's paths never reach it.
    CleanRunHarness(platform::FileSystem& fileSystem, const std::string& home, const std::string& journalHome)
        : journal(journalHome, [guard = DeletionGuard(fileSystem, table(home))](const std::string& path) {
              return guard.refusal(path, DeletionGuard::Use::removeEntry);
          }),
          cookieStore(fileSystem, home),
          services{fileSystem, journal, cookieStore, clipboard, icloud, clock, table(home)},
          engine(fileSystem, pool, main) {
        engine.setCleanServices(services);
    }

    static platform::HostTable table(const std::string& home) {
        return platform::HostTable::macos(platform::HostLayout::forHome(home, "/"));
    }

    DeleteResult clean(std::vector<CleanItem> items) {
        std::optional<DeleteResult> result;
        engine.cleanItems(std::move(items), [this](const CleaningProgressEvent& event) { events.push_back(event); },
                          [&](DeleteResult done) {
                              eventsBeforeResult = events.size();
                              result = std::move(done);
                          });
        while (!result && pool.runAll() + main.drain() > 0) {
        }
        EXPECT_TRUE(result.has_value());
        return result.value_or(DeleteResult{});
    }

    std::vector<std::pair<Event, int>> eventOrder() const {
        std::vector<std::pair<Event, int>> order;
        for (const auto& event : events) order.emplace_back(event.kind, event.index);
        return order;
    }

    testing::ManualExecutor pool;
    testing::ManualMainQueue main;
    testing::FakeClock clock;
    platform::MemoryClipboard clipboard;
    platform::NoICloudFileStatus icloud;
    scanners::SweepJournal journal;
    scanners::PrivacyCookieStore cookieStore;
    CleanServices services;
    CleanerEngine engine;
    std::vector<CleaningProgressEvent> events;
    std::size_t eventsBeforeResult = 0;
};

// ---- Runs on the file-system double ----

class CleanRunTest : public ::testing::Test {
protected:
    const std::string home = "/Users/u";
    testing::TempDir journalHome;
    testing::FakeFileSystem fileSystem;
    CleanRunHarness harness{fileSystem, home, journalHome.path().string()};
    testing::WarningCapture warnings;
};

TEST_F(CleanRunTest, EventsComeInOrderAndAFailureNeverEndsTheRun) {
    fileSystem.addFile(home + "/Library/Caches/a/blob", {.size = 4096});
    fileSystem.addFile(home + "/Library/Caches/b/blob", {.size = 4096});
    fileSystem.addFile(home + "/Library/Caches/c/blob", {.size = 8192});
    fileSystem.refuseChanges(home + "/Library/Caches/b/blob");
    const auto result = harness.clean({itemAt(home + "/Library/Caches/a", CategoryType::appCaches, 1),
                                       itemAt(home + "/Library/Caches/b", CategoryType::appCaches, 1),
                                       itemAt(home + "/Library/Caches/c", CategoryType::appCaches, 1)});

    const std::vector<std::pair<Event, int>> expected = {{Event::started, 0}, {Event::succeeded, 0},
                                                         {Event::started, 1}, {Event::failed, 1},
                                                         {Event::started, 2}, {Event::succeeded, 2}};
    EXPECT_EQ(harness.eventOrder(), expected);
    EXPECT_EQ(harness.eventsBeforeResult, 6u) << "the result comes after the last event";
    EXPECT_EQ(harness.events[3].total, 3);
    EXPECT_EQ(result.freed, 4096 + 8192);
    ASSERT_EQ(result.failedKeys, std::vector<std::string>{home + "/Library/Caches/b"});
    const auto& message = result.failureMessages.at(home + "/Library/Caches/b");
    EXPECT_EQ(harness.events[3].error, message);
    EXPECT_NE(message.find("could not be removed"), std::string::npos) << message;
    EXPECT_EQ(warnings.lines(),
              std::vector<std::string>{"[Zentrel] Could not delete " + home + "/Library/Caches/b: " + message});
    EXPECT_FALSE(result.sweepRecord);
    EXPECT_FALSE(fileSystem.exists(home + "/Library/Caches/a"));
    EXPECT_TRUE(fileSystem.exists(home + "/Library/Caches/b"));
}

TEST_F(CleanRunTest, AnEmptyListSendsNoEventAndFreesNothing) {
    const auto result = harness.clean({});
    EXPECT_TRUE(harness.events.empty());
    EXPECT_EQ(result.freed, 0);
    EXPECT_TRUE(result.failedKeys.empty());
}

TEST_F(CleanRunTest, FolderClearsCountWhatWentAndReportWhatStayed) {
    const auto logs = home + "/Library/Logs";
    for (const char* name : {"a.log", "b.log", "c.log", "d.log"}) fileSystem.addFile(logs + "/" + name, {.size = 4096});
    fileSystem.refuseChanges(logs + "/c.log");
    const auto only = home + "/Library/Caches/Locked";
    fileSystem.addFile(only + "/stuck", {.size = 4096});
    fileSystem.refuseChanges(only + "/stuck");

    const auto result = harness.clean({itemAt(logs, CategoryType::systemCaches, 1, DeletionMethod::clearDirectoryContents()),
                                       itemAt(only, CategoryType::appCaches, 1, DeletionMethod::clearDirectoryContents())});

    const std::string base =
        "Could not clear directory contents. Some items may be locked or require different permissions.";
    EXPECT_EQ(result.freed, 3 * 4096) << "a partial clear counts what it freed, a failed one nothing";
    EXPECT_EQ(result.failureMessages.at(logs), base + " 1 item(s) could not be deleted.");
    EXPECT_EQ(result.failureMessages.at(only), base);
    EXPECT_TRUE(fileSystem.exists(logs)) << "the folder itself stays";
    EXPECT_EQ(fileSystem.contentsOfDirectory(logs), std::vector<std::string>{"c.log"});
    const auto lines = warnings.lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].rfind("[Zentrel] Could not delete item " + logs + "/c.log: ", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1], "[Zentrel] Partial clear for " + logs + ": " + base + " 1 item(s) could not be deleted.");
    EXPECT_EQ(lines[3], "[Zentrel] Could not delete " + only + ": " + base);
}

TEST_F(CleanRunTest, AFolderSwappedForALinkWhileItIsEmptiedLosesNothingOutside) {
    const auto logs = home + "/Library/Logs";
    fileSystem.addFile(logs + "/a.log", {.size = 4096});
    fileSystem.addFile(logs + "/b.log", {.size = 4096});
    fileSystem.addFile("/Volumes/Data/a.log", {.size = 4096});
    fileSystem.addFile("/Volumes/Data/b.log", {.size = 4096});
    fileSystem.onNextListing(logs, [&] {
        EXPECT_FALSE(fileSystem.moveItem(logs, home + "/Library/Logs-moved"));
        fileSystem.addSymlink(logs, "/Volumes/Data");
    });

    harness.clean({itemAt(logs, CategoryType::systemCaches, 1, DeletionMethod::clearDirectoryContents())});
    EXPECT_TRUE(fileSystem.exists("/Volumes/Data/a.log"));
    EXPECT_TRUE(fileSystem.exists("/Volumes/Data/b.log"));
    EXPECT_EQ(fileSystem.contentsOfDirectory(home + "/Library/Logs-moved"), std::vector<std::string>{})
        << "the folder that was listed is the one emptied";
}

TEST_F(CleanRunTest, AFolderRemovedOnlyInPartCountsWhatWent) {
    const auto cache = home + "/Library/Caches/App";
    for (const char* name : {"a", "b", "c"}) fileSystem.addFile(cache + "/" + name, {.size = 4096});
    fileSystem.refuseChanges(cache + "/b");
    const auto result = harness.clean({itemAt(cache, CategoryType::appCaches, 1)});
    EXPECT_EQ(result.freed, 2 * 4096);
    const auto& message = result.failureMessages.at(cache);
    EXPECT_NE(message.find("could not be removed"), std::string::npos) << message;
    EXPECT_NE(message.find(" 1 item(s) could not be deleted."), std::string::npos) << message;
}

TEST_F(CleanRunTest, EmptyingTheTrashSkipsHiddenEntriesAndCountsOnlyWhatWent) {
    const auto trash = home + "/.Trash";
    fileSystem.addFile(trash + "/.DS_Store", {.size = 4096});
    auto hiddenOnly = harness.clean({itemAt(trash, CategoryType::trash, 777, DeletionMethod::emptyTrash())});
    EXPECT_EQ(hiddenOnly.freed, 0) << "nothing removed, nothing freed, whatever the scan said";
    EXPECT_TRUE(fileSystem.exists(trash + "/.DS_Store"));

    fileSystem.addFile(trash + "/empty.txt", {.size = 0, .allocatedSize = 0});
    auto zeroSized = harness.clean({itemAt(trash, CategoryType::trash, 555, DeletionMethod::emptyTrash())});
    EXPECT_EQ(zeroSized.freed, 0) << "a file without blocks gives nothing back";
    EXPECT_FALSE(fileSystem.exists(trash + "/empty.txt"));
    EXPECT_TRUE(zeroSized.failedKeys.empty());
}

TEST_F(CleanRunTest, EmptyingADesktopTrashKeepsItsFolders) {
    const auto trash = home + "/.local/share/Trash";
    fileSystem.addFile(trash + "/files/.dotfile", {.size = 4096});
    fileSystem.addFile(trash + "/files/album/a.jpg", {.size = 8192});
    fileSystem.addFile(trash + "/info/album.trashinfo", {.size = 100});
    fileSystem.addDirectory(trash + "/expunged");
    const auto result = harness.clean({itemAt(trash, CategoryType::trash, 1, DeletionMethod::emptyTrash())});
    EXPECT_TRUE(result.failedKeys.empty());
    for (const auto* folder : {"/files", "/info", "/expunged"}) {
        EXPECT_EQ(fileSystem.contentsOfDirectory(trash + folder), std::vector<std::string>{}) << folder;
    }
    EXPECT_GE(result.freed, 4096 + 8192 + 100);
}

TEST_F(CleanRunTest, MissingPathsSucceedWithNothingAndPathlessItemsFailUnderTheirId) {
    auto advice = itemAt("", CategoryType::devProjects, 5000);
    const auto result = harness.clean({itemAt(home + "/Library/Caches/gone", CategoryType::appCaches, 100),
                                       itemAt(home + "/Library/Caches/gone2", CategoryType::appCaches, 100,
                                              DeletionMethod::clearDirectoryContents()),
                                       advice});
    EXPECT_EQ(result.freed, 0);
    EXPECT_EQ(result.failedKeys, std::vector<std::string>{advice.id.string()});
    EXPECT_EQ(result.failureMessages.at(advice.id.string()), "The item has no file to delete.");
}

TEST_F(CleanRunTest, EvictingWithoutACloudDriveFailsAndChangesNothing) {
    fileSystem.addFile(home + "/Library/Mobile Documents/com~apple~CloudDocs/big.mov", {.size = 8192});
    const auto path = home + "/Library/Mobile Documents/com~apple~CloudDocs/big.mov";
    const auto result = harness.clean({itemAt(path, CategoryType::icloud, 8192, DeletionMethod::evictICloud())});
    EXPECT_EQ(result.failureMessages.at(path), "iCloud Drive is not available on this computer.");
    EXPECT_EQ(result.freed, 0);
    EXPECT_TRUE(fileSystem.exists(path));
}

TEST_F(CleanRunTest, AStoreHeldByItsBrowserDuringTheScanIsNeverCleaned) {
    const auto store = home + "/Library/Application Support/Firefox/Profiles/a/cookies.sqlite";
    fileSystem.addFile(store, {.size = 4096});
    auto item = itemAt(store, CategoryType::privacy, 0,
                       DeletionMethod::clearTrackerCookies(store, {}, model::BrowserKind::firefox));
    item.privacyStoreBusy = true;
    const auto result = harness.clean({item});
    EXPECT_EQ(result.failureMessages.at(store), "Firefox is running: quit Firefox and scan again");
    EXPECT_FALSE(result.sweepRecord);
}

// ---- The guard ----

TEST_F(CleanRunTest, TheGuardRefusesEveryDangerousPathAndTheRunGoesOn) {
    fileSystem.addFile(home + "/Documents/thesis.pages", {.size = 4096});
    fileSystem.addFile("/etc/passwd", {.size = 4096});
    fileSystem.addFile(home + "/Library/Caches/x/blob", {.size = 4096});
    const std::vector<std::string> dangerous = {
        "relative/path", home + "/Library/../Documents", home + "/./Documents", "/", home, home + "/",
        home + "/Documents", home + "/Library", "/etc/passwd", "/etc", home + "//Documents", "/Library",
        "/Users/other/Library/Caches",
    };
    std::vector<CleanItem> items;
    for (const auto& path : dangerous) {
        items.push_back(itemAt(path, CategoryType::appCaches, 1));
        items.push_back(itemAt(path, CategoryType::appCaches, 1, DeletionMethod::clearDirectoryContents()));
        items.push_back(itemAt(path, CategoryType::privacy, 1, DeletionMethod::truncateFile()));
    }
    items.push_back(itemAt(home + "/Library/Caches/x", CategoryType::appCaches, 1));

    const auto result = harness.clean(items);
    EXPECT_EQ(result.failedKeys.size(), 3 * dangerous.size());
    for (const auto& path : dangerous) EXPECT_TRUE(result.failureMessages.contains(path)) << path;
    EXPECT_EQ(result.freed, 4096) << "the one safe item still went";
    EXPECT_TRUE(fileSystem.exists(home + "/Documents/thesis.pages"));
    EXPECT_TRUE(fileSystem.exists("/etc/passwd"));
    EXPECT_FALSE(fileSystem.exists(home + "/Library/Caches/x"));
}

// ---- Runs on a real home folder ----

class CleanRunOnDiskTest : public ::testing::Test {
protected:
    fs::path homePath() const { return dir / "home"; }
    std::string at(const std::string& relative) const { return (homePath() / relative).string(); }

    testing::TempDir dir;
    platform::PosixFileSystem fileSystem;
    std::unique_ptr<CleanRunHarness> harness = makeHarness();
    testing::WarningCapture warnings;

private:
    std::unique_ptr<CleanRunHarness> makeHarness() {
        fs::create_directories(dir / "home");
        return std::make_unique<CleanRunHarness>(fileSystem, (dir / "home").string(), (dir / "home").string());
    }
};

TEST_F(CleanRunOnDiskTest, APrivacyRunBacksUpEveryChangeAndRecordsItsActions) {
    const auto recents = dir.write("home/Library/Application Support/com.apple.sharedfilelist/recent.sfl", "");
    const auto history = dir.write("home/.zsh_history", "ls\ncd secrets\n");
    const auto store = homePath() / "Library/Application Support/Google/Chrome/Default/Cookies";
    testing::writeChromiumCookieDatabase(store, {"ads.example", "x.ads.example", "track.example", "a.track.example",
                                                 "b.track.example", "news.example"});
    const auto storeBefore = contentsOf(store);
    const auto cache = dir.write("home/Library/Caches/app/blob", std::string(10000, 'x'));
    const auto cacheSize = harness->engine.allocatedSizeOfPath(cache.parent_path().string());
    harness->clipboard.setText("4111 1111 1111 1111");

    auto cookieItem = itemAt(store.string(), CategoryType::privacy, 2048,
                             DeletionMethod::clearTrackerCookies(store.string(), {"track.example", "ads.example"},
                                                                 model::BrowserKind::chrome));
    auto clipboardItem = itemAt("", CategoryType::privacy, 19, DeletionMethod::clearPasteboard());
    const auto result = harness->clean({itemAt(recents.string(), CategoryType::privacy, 321),
                                        itemAt(history.string(), CategoryType::privacy, 1, DeletionMethod::truncateFile()),
                                        cookieItem, clipboardItem,
                                        itemAt(cache.parent_path().string(), CategoryType::appCaches, 1)});

    EXPECT_TRUE(result.failedKeys.empty()) << result.failureMessages.begin()->second;
    ASSERT_TRUE(result.sweepRecord);
    const auto& record = *result.sweepRecord;
    EXPECT_EQ(record.expiresAt.timeIntervalSince1970() - record.date.timeIntervalSince1970(), 86400.0);
    EXPECT_EQ(record.freedBytes, result.freed);
    EXPECT_EQ(result.freed, 0 + 14 + 0 + 19 + cacheSize)
        << "an empty file frees nothing, nor do cookie rows the store keeps the pages of, whatever the items said";

    std::vector<std::pair<SweepActionKind, std::string>> actions;
    for (const auto& action : record.actions) actions.emplace_back(action.kind, action.label);
    const std::vector<std::pair<SweepActionKind, std::string>> expected = {
        {SweepActionKind::recentsCleared, "recent.sfl"},
        {SweepActionKind::fileTruncated, ".zsh_history"},
        {SweepActionKind::cookieDomain, "Chrome: track.example"},
        {SweepActionKind::cookieDomain, "Chrome: ads.example"},
        {SweepActionKind::pasteboardCleared, "Clipboard cleared"},
    };
    EXPECT_EQ(actions, expected) << "the cache item records nothing";
    EXPECT_EQ(record.actions[4].originalPath, "pasteboard");
    EXPECT_FALSE(record.actions[4].detail);
    EXPECT_EQ(record.actions[2].detail, "track.example");
    EXPECT_EQ(record.actions[2].originalPath, store.string());

    EXPECT_FALSE(fs::exists(recents));
    EXPECT_EQ(fs::file_size(history), 0u);
    EXPECT_EQ(testing::chromiumCookieHosts(store), std::vector<std::string>{"news.example"});
    EXPECT_FALSE(harness->clipboard.text());
    EXPECT_FALSE(fs::exists(cache));
    for (const auto& action : record.actions) {
        EXPECT_TRUE(fs::exists(*action.backupPath)) << action.label;
        EXPECT_TRUE(action.backupPath->starts_with(harness->journal.backupRoot() + "/" + record.id.string() + "/"))
            << *action.backupPath;
    }
    EXPECT_EQ(contentsOf(*record.actions[1].backupPath), "ls\ncd secrets\n");

    // Undo puts back each cookie action's own hosts, then the whole store as it was.
    harness->journal.restore(record.actions[2], harness->clipboard, record.actions);
    EXPECT_EQ(testing::chromiumCookieHosts(store),
              (std::vector<std::string>{"news.example", "track.example", "a.track.example", "b.track.example"}));
    harness->journal.restore(record.actions[3], harness->clipboard, record.actions);
    auto hosts = testing::chromiumCookieHosts(store);
    std::sort(hosts.begin(), hosts.end());
    EXPECT_EQ(hosts, (std::vector<std::string>{"a.track.example", "ads.example", "b.track.example", "news.example",
                                               "track.example", "x.ads.example"}));
    harness->journal.restore(record.actions[4], harness->clipboard);
    EXPECT_EQ(harness->clipboard.text(), "4111 1111 1111 1111");
}

TEST_F(CleanRunOnDiskTest, ACookieStoreWithNothingToRemoveRecordsOneActionForAllDomains) {
    const auto store = homePath() / "Library/Application Support/Google/Chrome/Default/Cookies";
    testing::writeChromiumCookieDatabase(store, {"news.example"});
    const auto result = harness->clean({itemAt(store.string(), CategoryType::privacy, 10,
                                               DeletionMethod::clearTrackerCookies(
                                                   store.string(), {"track.example", "ads.example"},
                                                   model::BrowserKind::chrome))});
    ASSERT_TRUE(result.sweepRecord);
    ASSERT_EQ(result.sweepRecord->actions.size(), 1u);
    EXPECT_EQ(result.sweepRecord->actions[0].label, "Chrome tracker cookies");
    EXPECT_EQ(result.sweepRecord->actions[0].detail, "track.example, ads.example");
}

TEST_F(CleanRunOnDiskTest, ADomainWithAndWithoutItsLeadingDotIsOneAction) {
    const auto store = homePath() / "Library/Application Support/Google/Chrome/Default/Cookies";
    testing::writeChromiumCookieDatabase(store, {".ads.example", "ads.example", "x.ads.example", "news.example"});
    const auto result = harness->clean({itemAt(store.string(), CategoryType::privacy, 0,
                                               DeletionMethod::clearTrackerCookies(
                                                   store.string(), {".ads.example", "ads.example", "x.ads.example"},
                                                   model::BrowserKind::chrome))});
    ASSERT_TRUE(result.sweepRecord);
    std::vector<std::pair<std::string, std::optional<std::string>>> actions;
    for (const auto& action : result.sweepRecord->actions) actions.emplace_back(action.label, action.detail);
    EXPECT_EQ(actions, (std::vector<std::pair<std::string, std::optional<std::string>>>{
                           {"Chrome: ads.example", "ads.example"}, {"Chrome: x.ads.example", "x.ads.example"}}));
}

TEST_F(CleanRunOnDiskTest, AFailedBackupChangesNothingAndLeavesNoRecord) {
    const auto store = homePath() / "Library/Cookies/Cookies.binarycookies";
    const auto result = harness->clean({itemAt(store.string(), CategoryType::privacy, 10,
                                               DeletionMethod::clearTrackerCookies(store.string(), {"ads.example"},
                                                                                   model::BrowserKind::safari))});
    EXPECT_EQ(result.failedKeys, std::vector<std::string>{store.string()});
    EXPECT_FALSE(result.sweepRecord) << "a run whose privacy items all failed records nothing";
}

TEST_F(CleanRunOnDiskTest, ARunCutShortLeavesItsRecordWithEveryChangeMadeSoFar) {
    const auto history = dir.write("home/.zsh_history", "ls\n");
    const auto recents = dir.write("home/Library/Application Support/com.apple.sharedfilelist/recent.sfl", "r");
    harness->clipboard.setText("secret");
    harness->engine.cleanItems({itemAt(history.string(), CategoryType::privacy, 1, DeletionMethod::truncateFile()),
                                itemAt("", CategoryType::privacy, 6, DeletionMethod::clearPasteboard()),
                                itemAt(recents.string(), CategoryType::privacy, 1)},
                               nullptr, [](DeleteResult) { ADD_FAILURE() << "the run was cut short"; });
    harness->pool.runAll();  // the run now waits for the main thread, where it dies

    const auto records = harness->journal.recordedSweeps();
    ASSERT_EQ(records.size(), 1u) << "the record is in the sweep's folder before the run ends";
    ASSERT_EQ(records[0].actions.size(), 1u);
    EXPECT_EQ(records[0].actions[0].kind, SweepActionKind::fileTruncated);
    EXPECT_EQ(contentsOf(*records[0].actions[0].backupPath), "ls\n");
    EXPECT_EQ(records[0].expiresAt.timeIntervalSince(records[0].date), 86400.0);
    EXPECT_EQ(harness->journal.purgeBackups({}, {}, harness->clock.now().addingTimeInterval(86399)), 0u)
        << "a sweep the log does not know yet keeps its backups for a day";
    EXPECT_EQ(harness->journal.purgeBackups({}, {}, harness->clock.now().addingTimeInterval(86400)), 1u);
}

TEST_F(CleanRunOnDiskTest, ASweepThatCannotBeRecordedMakesNoPrivacyChange) {
    const auto history = dir.write("home/.zsh_history", "ls\n");
    const auto cache = dir.write("home/Library/Caches/app/blob", "x");
    dir.write(fs::relative(harness->journal.backupRoot(), dir.path()), "a file where the backups go");
    const auto result = harness->clean({itemAt(history.string(), CategoryType::privacy, 1, DeletionMethod::truncateFile()),
                                        itemAt(cache.parent_path().string(), CategoryType::appCaches, 1)});
    EXPECT_EQ(result.failedKeys, std::vector<std::string>{history.string()});
    EXPECT_NE(result.failureMessages.at(history.string()).find("could not be recorded"), std::string::npos);
    EXPECT_EQ(contentsOf(history), "ls\n");
    EXPECT_FALSE(result.sweepRecord);
    EXPECT_FALSE(fs::exists(cache)) << "other items are cleaned as usual";
}

TEST_F(CleanRunOnDiskTest, AChromiumRunningOnItsProfileIsNamedAndItsStoreLeftAlone) {
    const auto userData = homePath() / "Library/Application Support/Google/Chrome";
    const auto store = userData / "Default/Cookies";
    testing::writeChromiumCookieDatabase(store, {"ads.example", "news.example"});
    char host[256] = {};
    ::gethostname(host, sizeof host - 1);
    const testing::ListeningSocket chrome;
    fs::create_symlink(std::string(host) + "-4242", userData / "SingletonLock");
    fs::create_symlink(chrome.path(), userData / "SingletonSocket");
    const auto result = harness->clean({itemAt(store.string(), CategoryType::privacy, 10,
                                               DeletionMethod::clearTrackerCookies(store.string(), {"ads.example"},
                                                                                   model::BrowserKind::chrome))});
    EXPECT_EQ(result.failureMessages.at(store.string()), "Chrome is running: quit Chrome and scan again");
    EXPECT_EQ(testing::chromiumCookieHosts(store), (std::vector<std::string>{"ads.example", "news.example"}));
    EXPECT_FALSE(result.sweepRecord);
}

TEST_F(CleanRunOnDiskTest, AFolderTurnedIntoALinkSinceTheScanLeadsNowhere) {
    const auto outside = dir.makeDirectory("outside");
    dir.write("outside/App/keep.txt", "precious");
    dir.write("outside/Logs/keep.log", "precious");
    dir.write("outside/Target/keep.txt", "precious");
    const auto cacheItem = at("Library/Caches/App");
    const auto logsItem = at("Library/Logs");
    const auto linkedItem = at("Library/Application Support/Thing");
    dir.write("home/Library/Caches/App/blob", "x");
    dir.write("home/Library/Logs/a.log", "x");
    dir.write("home/Library/Application Support/Thing/blob", "x");

    // After the scan: the cache folder's parent, the logs folder and the item
    // folder itself are swapped for links to folders outside the home.
    fs::remove_all(homePath() / "Library/Caches");
    fs::create_symlink(outside, homePath() / "Library/Caches");
    fs::remove_all(logsItem);
    fs::create_symlink(outside / "Logs", logsItem);
    fs::remove_all(linkedItem);
    fs::create_symlink(outside / "Target", linkedItem);

    const auto result = harness->clean(
        {itemAt(cacheItem, CategoryType::appCaches, 1),
         itemAt(logsItem, CategoryType::systemCaches, 1, DeletionMethod::clearDirectoryContents()),
         itemAt(linkedItem, CategoryType::appCaches, 1)});

    EXPECT_EQ(result.failedKeys, (std::vector<std::string>{cacheItem, logsItem}));
    EXPECT_FALSE(fs::exists(fs::symlink_status(linkedItem))) << "a link is removed as a link";
    for (const char* kept : {"App/keep.txt", "Logs/keep.log", "Target/keep.txt"}) {
        EXPECT_EQ(contentsOf(outside / kept), "precious") << kept;
    }
}

TEST_F(CleanRunTest, AReadOnlyItemIsNeverRemoved) {
    const auto path = home + "/Library/Caches/shown-only";
    fileSystem.addTextFile(path, "x");
    auto item = itemAt(path, CategoryType::startup, 1);
    item.isReadOnly = true;
    const auto result = harness.clean({item});
    EXPECT_EQ(result.failedKeys, std::vector<std::string>{path});
    EXPECT_TRUE(fileSystem.exists(path));
}

}  // namespace
}  // namespace zentrel::engine
