#include "scanners/privacy/SweepJournal.hpp"

#include "platform/files/AtomicFile.hpp"
#include "scanners/privacy/PrivacySweepError.hpp"
#include "scanners/privacy/RecentFilesMerge.hpp"
#include "scanners/privacy/SQLiteCookieDatabase.hpp"

#include "doubles/CookieStoreFixtures.hpp"
#include "doubles/TempDir.hpp"
#include "platform/desktop/MemoryClipboard.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>

namespace zentrel::scanners {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::string contents(const fs::path& path) { return platform::readWholeFile(path).value_or("<missing>"); }

class SweepJournalTest : public ::testing::Test {
protected:
    testing::TempDir home;
    // Stands in for the deletion guard: the home's "Documents" is never replaced.
    SweepJournal journal{home.path(), [this](const std::string& path) -> std::optional<std::string> {
                             if (path == (home / "Documents").string()) return "Documents is never replaced.";
                             return std::nullopt;
                         }};
    platform::Uuid sweep = platform::Uuid::random();
    platform::MemoryClipboard clipboard;

    model::SweepAction action(model::SweepActionKind kind, std::optional<std::string> backup,
                              std::optional<std::string> original) {
        return {platform::Uuid::random(), kind, "History of Safari", std::nullopt, std::move(backup),
                std::move(original), false};
    }
};

TEST_F(SweepJournalTest, BackupsLandInTheSweepsOwnFolderReadableByTheUserAlone) {
    auto source = home.write("Library/Safari/History.db", "history v1");
    auto copy = journal.backupFile(source.string(), sweep);
    const auto folder = fs::path(journal.backupRoot()) / sweep.string();
    EXPECT_EQ(journal.backupRoot(), (home / "Library/Application Support/Zentrel/SweepBackups").string());
    EXPECT_EQ(copy, (folder / "items/History.db").string());
    EXPECT_EQ(contents(copy), "history v1");
    EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_EQ(fs::status(copy).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);

    // The same item again replaces its copy in place.
    platform::writeFileAtomically(source, "history v2").has_value();
    EXPECT_EQ(journal.backupFile(source.string(), sweep), copy);
    EXPECT_EQ(contents(copy), "history v2");

    try {
        (void)journal.backupFile((home / "missing").string(), platform::Uuid::random());
        FAIL() << "a missing item was backed up";
    } catch (const PrivacySweepError& error) {
        EXPECT_EQ(std::string(error.what()), "Could not back up " + (home / "missing").string());
    }
}

TEST_F(SweepJournalTest, StoresOfOneNameStayApartAndEachRestoresItsOwn) {
    const auto chrome = home / "Library/Application Support/Google/Chrome/Default/Cookies";
    const auto edge = home / "Library/Application Support/Microsoft Edge/Default/Cookies";
    fs::create_directories(chrome.parent_path());
    fs::create_directories(edge.parent_path());
    testing::writeChromiumCookieDatabase(chrome, {".doubleclick.net", "chrome.example"});
    testing::writeChromiumCookieDatabase(edge, {".doubleclick.net", "edge.example"});
    home.write(fs::relative(chrome, home.path()).string() + "-wal", "chrome wal");
    const auto chromeBefore = contents(chrome), edgeBefore = contents(edge);

    const auto chromeCopy = journal.backupFile(chrome.string(), sweep);
    const auto edgeCopy = journal.backupFile(edge.string(), sweep);
    EXPECT_NE(chromeCopy, edgeCopy);
    EXPECT_EQ(journal.backupFile(edge.string(), sweep), edgeCopy);  // found again, not a third slot

    // The sweep rewrites both stores; the undo brings each back byte for byte,
    // with its own companions and without stale ones.
    platform::writeFileAtomically(chrome, "rewritten").has_value();
    platform::writeFileAtomically(edge, "rewritten").has_value();
    home.write(fs::relative(edge, home.path()).string() + "-wal", "stale");
    journal.restore(action(model::SweepActionKind::cookieDomain, chromeCopy, chrome.string()), clipboard);
    journal.restore(action(model::SweepActionKind::cookieDomain, edgeCopy, edge.string()), clipboard);
    EXPECT_EQ(contents(chrome), chromeBefore);
    EXPECT_EQ(contents(edge), edgeBefore);
    EXPECT_EQ(contents(chrome.string() + "-wal"), "chrome wal");
    EXPECT_FALSE(fs::exists(edge.string() + "-wal"));
}

TEST_F(SweepJournalTest, AWholeStorePutBackUndoesEveryActionOfIt) {
    const auto store = home.write("Library/Cookies/Cookies.binarycookies", "cookies before");
    const auto copy = journal.backupFile(store.string(), sweep);
    platform::writeFileAtomically(store, "cookies after").has_value();
    auto first = action(model::SweepActionKind::cookieDomain, copy, store.string());
    auto second = action(model::SweepActionKind::cookieDomain, copy, store.string());
    EXPECT_EQ(journal.restore(first, clipboard, {first, second}), (std::vector<platform::Uuid>{first.id, second.id}));
    EXPECT_EQ(contents(store), "cookies before");
}

TEST_F(SweepJournalTest, RestoreRecreatesFoldersReplacesFilesAndCanRunTwice) {
    auto source = home.write("Library/Recents/list.plist", "recent items");
    auto copy = journal.backupFile(source.string(), sweep);
    fs::remove_all(home / "Library/Recents");
    auto restoreAction = action(model::SweepActionKind::recentsCleared, copy, source.string());
    journal.restore(restoreAction, clipboard);
    EXPECT_EQ(contents(source), "recent items");
    platform::writeFileAtomically(source, "something else").has_value();
    journal.restore(restoreAction, clipboard);
    EXPECT_EQ(contents(source), "recent items");
    EXPECT_EQ(contents(copy), "recent items");  // copied back, never moved
}

TEST_F(SweepJournalTest, AFolderIsBackedUpWithWhatItHolds) {
    home.write("Library/Application Support/com.apple.sharedfilelist/a.sfl", "recent a");
    home.write("Library/Application Support/com.apple.sharedfilelist/sub/b.sfl", "recent b");
    const auto folder = home / "Library/Application Support/com.apple.sharedfilelist";
    const auto copy = journal.backupFile(folder.string(), sweep);
    EXPECT_EQ(contents(fs::path(copy) / "sub/b.sfl"), "recent b");
    fs::remove_all(folder);
    EXPECT_FALSE(fs::exists(folder));
    journal.restore(action(model::SweepActionKind::recentsCleared, copy, folder.string()), clipboard);
    EXPECT_EQ(contents(folder / "a.sfl"), "recent a");
    EXPECT_EQ(contents(folder / "sub/b.sfl"), "recent b");
}

TEST_F(SweepJournalTest, AnUndoGivesBackTheTimesItsItemsHad) {
    const auto file = home.write("Library/Recents/list.plist", "recent items");
    const auto folder = home / "Library/Application Support/com.apple.sharedfilelist";
    home.write("Library/Application Support/com.apple.sharedfilelist/sub/b.sfl", "recent b");
    const auto past = fs::file_time_type::clock::now() - std::chrono::hours(24 * 400);
    for (const auto& path : {file, folder / "sub/b.sfl", folder / "sub", folder}) fs::last_write_time(path, past);

    struct Swept {
        fs::path original;
        std::vector<fs::path> timed;  // what keeps its time, relative to the original
    };
    for (const auto& swept : {Swept{file, {""}}, Swept{folder, {"", "sub", "sub/b.sfl"}}}) {
        const auto copy = journal.backupFile(swept.original.string(), sweep);
        fs::remove_all(swept.original);
        journal.restore(action(model::SweepActionKind::recentsCleared, copy, swept.original.string()), clipboard);
        for (const auto& relative : swept.timed) {
            const auto restored = relative.empty() ? swept.original : swept.original / relative;
            EXPECT_EQ(fs::last_write_time(restored), past) << restored;
        }
    }
}

TEST_F(SweepJournalTest, RestoreRefusesMissingBackupsAndPathsOutsideTheirFolders) {
    auto source = home.write("Library/Recents/list.plist", "recent items");
    auto copy = journal.backupFile(source.string(), sweep);
    testing::TempDir elsewhere;
    auto foreign = elsewhere.write("backup.plist", "planted");
    const std::vector<model::SweepAction> refused = {
        action(model::SweepActionKind::fileRemoved, std::nullopt, source.string()),
        action(model::SweepActionKind::fileRemoved, (home / "gone").string(), source.string()),
        action(model::SweepActionKind::fileRemoved, copy, std::nullopt),
        action(model::SweepActionKind::fileRemoved, foreign.string(), source.string()),
        action(model::SweepActionKind::fileRemoved, copy, (elsewhere / "target").string()),
        action(model::SweepActionKind::fileRemoved, copy, (home / "Library/../../escape").string()),
    };
    for (const auto& bad : refused) {
        platform::writeFileAtomically(source, "current").has_value();
        EXPECT_THROW(journal.restore(bad, clipboard), PrivacySweepError);
        EXPECT_EQ(contents(source), "current");
    }
    EXPECT_FALSE(fs::exists(elsewhere / "target"));
}

TEST_F(SweepJournalTest, AnUndoGoesBackOnlyWhereItsCopyCameFromAndNeverOverWhatIsProtected) {
    const auto list = home.write("Library/Recents/list.plist", "recent items");
    const auto settings = home.write(".config/zentrel/settings.json", "settings");
    home.write("Documents/thesis.txt", "thesis");
    const auto listCopy = journal.backupFile(list.string(), sweep);
    const auto documentsCopy = journal.backupFile((home / "Documents").string(), sweep);
    const auto inside = home.write(fs::relative(fs::path(journal.backupRoot()) / "notes.txt", home.path()), "notes");
    const auto insideCopy = journal.backupFile(inside.string(), sweep);
    fs::remove(list);
    home.write("Library/Recents/list.plist/newer.plist", "a folder now");

    const std::vector<std::pair<model::SweepAction, std::string>> refused = {
        {action(model::SweepActionKind::recentsCleared, listCopy, (home / "Documents").string()),
         "its backup was not made from " + (home / "Documents").string() + "."},
        {action(model::SweepActionKind::recentsCleared, listCopy, settings.string()),
         "its backup was not made from " + settings.string() + "."},
        {action(model::SweepActionKind::recentsCleared, documentsCopy, (home / "Documents").string()),
         "Documents is never replaced."},
        {action(model::SweepActionKind::recentsCleared, listCopy, list.string()), "a folder is there now."},
        {action(model::SweepActionKind::recentsCleared, insideCopy, inside.string()),
         "it would go back inside the backups."},
        {action(model::SweepActionKind::recentsCleared, std::nullopt, list.string()), "its backup is gone."},
    };
    for (const auto& [bad, reason] : refused) {
        try {
            journal.restore(bad, clipboard);
            ADD_FAILURE() << "restored: " << reason;
        } catch (const PrivacySweepError& error) {
            EXPECT_EQ(std::string(error.what()), "Refused to restore History of Safari: " + reason);
        }
    }
    EXPECT_EQ(contents(settings), "settings");
    EXPECT_EQ(contents(home / "Documents/thesis.txt"), "thesis");
    EXPECT_EQ(contents(list / "newer.plist"), "a folder now");
}

TEST_F(SweepJournalTest, RestoredItemsGetTheirOwnModesBack) {
    const auto history = home.write(".zsh_history", "ls");
    const auto folder = home.makeDirectory("Library/Application Support/com.apple.sharedfilelist");
    fs::permissions(history, fs::perms(0644));
    fs::permissions(folder, fs::perms(0755));
    const auto historyCopy = journal.backupFile(history.string(), sweep);
    const auto folderCopy = journal.backupFile(folder.string(), sweep);
    fs::remove(history);
    fs::remove_all(folder);
    journal.restore(action(model::SweepActionKind::fileTruncated, historyCopy, history.string()), clipboard);
    journal.restore(action(model::SweepActionKind::recentsCleared, folderCopy, folder.string()), clipboard);
    EXPECT_EQ(fs::status(history).permissions(), fs::perms(0644));
    EXPECT_EQ(fs::status(folder).permissions(), fs::perms(0755));
    EXPECT_EQ(fs::status(historyCopy).permissions(), fs::perms(0600)) << "the copy stays the user's alone";
}

TEST_F(SweepJournalTest, ItemsNamedLikeTheJournalsOwnFilesStayApartFromThem) {
    const auto manifestLike = home.write("Library/a/origins.json", "an item");
    const auto clipboardLike = home.write("Library/b/pasteboard.txt", "another item");
    const auto itemCopy = journal.backupFile(manifestLike.string(), sweep);
    const auto otherCopy = journal.backupFile(clipboardLike.string(), sweep);
    const auto saved = journal.backupPasteboard("clipboard text", sweep);
    fs::remove(manifestLike);
    fs::remove(clipboardLike);
    journal.restore(action(model::SweepActionKind::recentsCleared, itemCopy, manifestLike.string()), clipboard);
    journal.restore(action(model::SweepActionKind::recentsCleared, otherCopy, clipboardLike.string()), clipboard);
    journal.restore(action(model::SweepActionKind::pasteboardCleared, saved, std::nullopt), clipboard);
    EXPECT_EQ(contents(manifestLike), "an item");
    EXPECT_EQ(contents(clipboardLike), "another item");
    EXPECT_EQ(clipboard.text(), "clipboard text");
}

TEST_F(SweepJournalTest, ClipboardTextIsSavedCutAndPutBack) {
    std::string longText;
    for (int i = 0; i < 4100; ++i) longText += "\u00E9";  // two bytes each
    auto saved = journal.backupPasteboard(longText, sweep);
    EXPECT_EQ(fs::path(saved).filename(), "pasteboard.txt");
    EXPECT_EQ(contents(saved).size(), 8000u);
    clipboard.setText("newer");
    journal.restore(action(model::SweepActionKind::pasteboardCleared, saved, std::nullopt), clipboard);
    EXPECT_EQ(clipboard.contents, longText.substr(0, 8000));

    auto empty = journal.backupPasteboard("", platform::Uuid::random());
    EXPECT_EQ(contents(empty), "");
    journal.restore(action(model::SweepActionKind::pasteboardCleared, empty, std::nullopt), clipboard);
    EXPECT_EQ(clipboard.text(), std::nullopt);
}

TEST_F(SweepJournalTest, PurgeRemovesOnlySweepFoldersWithoutALiveRecord) {
    auto source = home.write("Library/x.plist", "x");
    const auto live = platform::Uuid::random(), expired = platform::Uuid::random();
    (void)journal.backupFile(source.string(), live);
    (void)journal.backupFile(source.string(), expired);
    const fs::path root = journal.backupRoot();
    home.write(fs::relative(root / "notes.txt", home.path()), "kept");
    home.makeDirectory(fs::relative(root / "not-a-uuid", home.path()));

    EXPECT_EQ(journal.purgeBackups({live}, {}, platform::Date::distantFuture()), 1u);
    EXPECT_TRUE(fs::exists(root / live.string()));
    EXPECT_FALSE(fs::exists(root / expired.string()));
    EXPECT_TRUE(fs::exists(root / "notes.txt"));
    EXPECT_TRUE(fs::exists(root / "not-a-uuid"));
}

TEST_F(SweepJournalTest, BackupsThatAreNoPlainFileOrJournalsNestedTooDeepAreRefusedWithoutHanging) {
    const auto history = home.write(".zsh_history", "ls\n");
    const auto backup = journal.backupFile(history.string(), sweep);
    const auto text = journal.backupPasteboard("secret", sweep);
    for (const auto& path : {fs::path(backup), fs::path(text)}) {
        fs::remove(path);
        ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    }
    EXPECT_THROW(journal.restore(action(model::SweepActionKind::fileTruncated, backup, history.string()), clipboard),
                 PrivacySweepError);
    EXPECT_THROW(journal.restore(action(model::SweepActionKind::pasteboardCleared, text, "pasteboard"), clipboard),
                 PrivacySweepError);
    EXPECT_EQ(contents(history), "ls\n");

    const auto other = home.write(".bash_history", "pwd\n");
    const auto otherBackup = journal.backupFile(other.string(), sweep);
    home.write(fs::relative(fs::path(otherBackup).parent_path().parent_path() / "origins.json", home.path()),
               std::string(200000, '['));
    EXPECT_THROW(journal.restore(action(model::SweepActionKind::fileTruncated, otherBackup, other.string()), clipboard),
                 PrivacySweepError)
        << "a journal nested far too deep is no journal";
}

TEST_F(SweepJournalTest, AnUndoCutShortLeavesNothingBesideTheOriginalAfterTheNextStart) {
    const auto history = home.write(".zsh_history", "ls\n");
    (void)journal.backupFile(history.string(), sweep);
    const auto leftover = home.write(".zsh_history.zentrel-restore", "ls\n");
    const auto unrelated = home.write("notes.zentrel-restore", "mine");
    EXPECT_EQ(journal.purgeBackups({sweep}, {}, platform::Date::distantFuture()), 0u);
    EXPECT_FALSE(fs::exists(leftover));
    EXPECT_TRUE(fs::exists(unrelated)) << "only what stands beside an original of a sweep goes";
    EXPECT_EQ(contents(history), "ls\n");
}

TEST_F(SweepJournalTest, AnUndoIntoAFileWithOtherNamesRestoresThatSameFile) {
    testing::TempDir outside;
    const auto shared = outside.write("history", "ls\n");
    const auto history = home / ".bash_history";
    fs::create_hard_link(shared, history);
    const auto backup = journal.backupFile(history.string(), sweep);
    fs::resize_file(history, 0);  // as an earlier version emptied it in place

    journal.restore(action(model::SweepActionKind::fileTruncated, backup, history.string()), clipboard);
    EXPECT_EQ(contents(history), "ls\n");
    EXPECT_EQ(contents(shared), "ls\n") << "the link is kept, not replaced by a new file";
    EXPECT_EQ(fs::hard_link_count(history), 2u);
}

TEST_F(SweepJournalTest, AnUndoOfAHistoryKeepsTheLinesWrittenSinceTheSweep) {
    const auto history = home.write(".zsh_history", "old one\nold two\n");
    const auto backup = journal.backupFile(history.string(), sweep);
    home.write(".zsh_history", "new since\n");
    const auto undo = action(model::SweepActionKind::fileTruncated, backup, history.string());
    journal.restore(undo, clipboard);
    EXPECT_EQ(contents(history), "old one\nold two\nnew since\n");
    journal.restore(undo, clipboard);
    EXPECT_EQ(contents(history), "old one\nold two\nnew since\n") << "a second undo adds nothing";
}

TEST_F(SweepJournalTest, AnUndoOfTheRecentFilesListAddsItsEntriesToTheListWrittenSince) {
    const auto entries = [](const std::string& hrefs) {
        std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xbel version=\"1.0\">";
        for (const char href : hrefs) text += "\n  <bookmark href=\"file:///" + std::string(1, href) + "\"/>";
        return text + "\n</xbel>";
    };
    const auto list = home.write(".local/share/recently-used.xbel", entries("ab"));
    fs::permissions(list, fs::perms(0600));
    const auto undo = action(model::SweepActionKind::recentsCleared, journal.backupFile(list.string(), sweep), list.string());
    fs::remove(list);
    home.write(".local/share/recently-used.xbel", entries("c"));

    journal.restore(undo, clipboard);
    EXPECT_EQ(recentFileHrefs(contents(list)), (std::set<std::string>{"file:///a", "file:///b", "file:///c"})) << contents(list);
    EXPECT_EQ(fs::status(list).permissions() & fs::perms::mask, fs::perms(0600));

    const std::string damaged = "<xbel version=\"1.0\"><bookmark href=\"file:///d\">";
    home.write(".local/share/recently-used.xbel", damaged);
    EXPECT_THROW(journal.restore(undo, clipboard), PrivacySweepError);
    EXPECT_EQ(contents(list), damaged) << "a list that cannot be read is left as it is";

    fs::remove(list);
    journal.restore(undo, clipboard);
    EXPECT_EQ(contents(list), entries("ab")) << "with no list there, the saved one goes back as it was";
}

TEST_F(SweepJournalTest, ABackupsFolderThatIsALinkIsNeverWrittenThroughNorPurged) {
    testing::TempDir outside;
    const auto stranger = platform::Uuid::random();
    outside.write("SweepBackups/" + stranger.string() + "/origins.json", "{}");
    fs::permissions(outside.path(), fs::perms(0755));
    fs::create_directories(home / "Library/Application Support");
    fs::create_directory_symlink(outside.path(), home / "Library/Application Support/Zentrel");
    const auto history = home.write(".zsh_history", "ls\n");

    EXPECT_THROW((void)journal.backupFile(history.string(), sweep), fs::filesystem_error);
    EXPECT_FALSE(fs::exists(outside / "SweepBackups" / sweep.string()));
    EXPECT_EQ(fs::status(outside.path()).permissions() & fs::perms::mask, fs::perms(0755));
    EXPECT_EQ(journal.purgeBackups({}, {stranger}, platform::Date::distantFuture()), 0u);
    EXPECT_TRUE(fs::exists(outside / "SweepBackups" / stranger.string()));
    EXPECT_TRUE(journal.recordedSweeps().empty());
}

TEST_F(SweepJournalTest, PurgeTakesOnlyFoldersThisJournalMade) {
    const auto made = platform::Uuid::random(), foreign = platform::Uuid::random();
    (void)journal.backupFile(home.write(".zsh_history", "ls\n").string(), made);
    home.write(fs::relative(fs::path(journal.backupRoot()) / foreign.string() / "photo.jpg", home.path()), "mine");
    EXPECT_EQ(journal.purgeBackups({}, {made, foreign}, platform::Date::distantFuture()), 1u);
    EXPECT_TRUE(fs::exists(fs::path(journal.backupRoot()) / foreign.string() / "photo.jpg"));
}

TEST(SweepJournalPlacesTest, LinuxBackupsLiveInTheDataFolderAndOldMacPlaceBackupsStillUndoThenGo) {
    testing::TempDir home;
    platform::HostTable linux;
    linux.platform = platform::HostPlatform::linuxDesktop;
    linux.home = home.path().string();
    linux.dataHome = (home / ".local/share").string();
    const auto history = home.write(".bash_history", "old\n");
    const auto sweep = platform::Uuid::random();
    const auto oldBackup = SweepJournal(home.path(), {}).backupFile(history.string(), sweep);
    ASSERT_TRUE(oldBackup.starts_with((home / "Library").string()));

    SweepJournal journal(SweepJournal::placesFor(linux), {});
    EXPECT_EQ(journal.backupRoot(), (home / ".local/share/zentrel/SweepBackups").string());
    const auto fresh = platform::Uuid::random();
    EXPECT_TRUE(journal.backupFile(history.string(), fresh).starts_with(journal.backupRoot() + "/"));

    home.write(".bash_history", "");
    platform::MemoryClipboard clipboard;
    journal.restore({platform::Uuid::random(), model::SweepActionKind::fileTruncated, "Bash History", std::nullopt,
                     oldBackup, history.string(), false},
                    clipboard);
    EXPECT_EQ(contents(history), "old\n") << "a backup in the old place is still undone";

    EXPECT_EQ(journal.purgeBackups({fresh}, {sweep}, platform::Date::fromTimeIntervalSince1970(0)), 1u);
    EXPECT_FALSE(fs::exists(home / "Library")) << "the old place's folders go once they are empty";
    EXPECT_TRUE(fs::exists(journal.backupRoot() + "/" + fresh.string()));
}

// ---- Undoing tracker cookies, on stores of both browsers in both journal modes ----

struct StoreKind {
    const char* name;
    testing::CookieSchema schema;
    testing::JournalMode mode;
};
// Failures name the case rather than dump its bytes.
void PrintTo(const StoreKind& c, std::ostream* out) { *out << c.name; }

class CookieUndoTest : public ::testing::TestWithParam<StoreKind> {
protected:
    CookieUndoTest() {
        testing::writeCookieDatabase(GetParam().schema, store, {".doubleclick.net", "x.doubleclick.net", ".hotjar.com", "news.example"},
                                     GetParam().mode);
    }

    // A sweep of the store's cookies of `domains`, one action per domain, as the clean run makes it.
    std::vector<model::SweepAction> sweep(const std::vector<std::string>& domains) {
        const auto backup = journal.backupFile(store.string(), platform::Uuid::random());
        const auto layout = GetParam().schema == testing::CookieSchema::chromium ? kChromiumCookieTable : kFirefoxCookieTable;
        EXPECT_GE(SQLiteCookieDatabase(layout, 0ms).deleteHosts(store.string(), domains), 1);
        journal.noteSweptState(backup);
        std::vector<model::SweepAction> actions;
        for (const auto& domain : domains) {
            actions.push_back({platform::Uuid::random(), model::SweepActionKind::cookieDomain, "Browser: " + domain, domain,
                               backup, store.string(), false});
        }
        return actions;
    }
    std::vector<std::string> hosts() {
        auto hosts = testing::cookieHosts(GetParam().schema, store);
        std::sort(hosts.begin(), hosts.end());
        return hosts;
    }

    testing::TempDir home;
    const fs::path store = home / "Library/Application Support/Browser/Default/Cookies";
    SweepJournal journal{home.path(), {}, 0ms};
    platform::MemoryClipboard clipboard;
};

TEST_P(CookieUndoTest, EachActionPutsBackItsOwnHostsAndCookiesSavedSinceStay) {
    auto actions = sweep({"doubleclick.net", "hotjar.com"});
    testing::addCookies(GetParam().schema, store, {"saved-since.example"});

    EXPECT_EQ(journal.restore(actions[0], clipboard, actions), std::vector<platform::Uuid>{actions[0].id});
    EXPECT_EQ(hosts(), (std::vector<std::string>{".doubleclick.net", "news.example", "saved-since.example", "x.doubleclick.net"}));
    actions[0].isRestored = true;
    EXPECT_EQ(journal.restore(actions[1], clipboard, actions), std::vector<platform::Uuid>{actions[1].id});
    EXPECT_EQ(hosts(), (std::vector<std::string>{".doubleclick.net", ".hotjar.com", "news.example", "saved-since.example",
                                                 "x.doubleclick.net"}));
}

TEST_P(CookieUndoTest, EachRowPutsBackWhatItTookAndIsSettledWhenItsRowsAreBack) {
    // Older sweeps recorded a domain once for each of its spellings.
    auto actions = sweep({".doubleclick.net", "doubleclick.net", "x.doubleclick.net", "hotjar.com"});
    testing::addCookies(GetParam().schema, store, {"saved-since.example"});

    EXPECT_EQ(journal.restore(actions[0], clipboard, actions), (std::vector<platform::Uuid>{actions[0].id, actions[1].id}))
        << "the other spelling of the domain is undone with it";
    EXPECT_EQ(hosts(), (std::vector<std::string>{".doubleclick.net", "news.example", "saved-since.example"}))
        << "the subdomain's cookie is its own row's to put back";
    actions[0].isRestored = actions[1].isRestored = true;
    EXPECT_EQ(journal.restore(actions[2], clipboard, actions), std::vector<platform::Uuid>{actions[2].id});
    EXPECT_EQ(hosts(), (std::vector<std::string>{".doubleclick.net", "news.example", "saved-since.example",
                                                 "x.doubleclick.net"}));
    // Its rows are back already: the row is settled, and the store is as it was.
    const auto again = journal.restoreAction(actions[2], clipboard, actions);
    EXPECT_TRUE(again.alreadyBack);
    EXPECT_EQ(again.undone, std::vector<platform::Uuid>{actions[2].id});
    EXPECT_EQ(hosts(), (std::vector<std::string>{".doubleclick.net", "news.example", "saved-since.example",
                                                 "x.doubleclick.net"}));
}

TEST_P(CookieUndoTest, AStoreUnchangedSinceTheSweepGoesBackByteForByte) {
    const auto before = contents(store);
    const auto actions = sweep({"doubleclick.net"});
    EXPECT_EQ(journal.restore(actions[0], clipboard, actions), std::vector<platform::Uuid>{actions[0].id});
    EXPECT_EQ(contents(store), before);
}

TEST_P(CookieUndoTest, AStoreItsBrowserHoldsIsLeftAlone) {
    const auto actions = sweep({"doubleclick.net", "hotjar.com"});
    {
        testing::RunningBrowser browser(store);
        for (const auto& restored : {actions, std::vector<model::SweepAction>{actions[0]}}) {
            try {
                journal.restore(actions[0], clipboard, restored);
                ADD_FAILURE() << "restored into a store its browser holds";
            } catch (const PrivacySweepError& error) {
                EXPECT_EQ(error, PrivacySweepError::cookieStoreBusy(store.string()));
                // Outside the folders of a known browser, a Firefox store is still known by its kind.
                const bool firefox = GetParam().schema == testing::CookieSchema::firefox;
                EXPECT_EQ(std::string(error.what()),
                          firefox ? "Firefox is running: quit Firefox and undo again"
                                  : "Cookie store is in use by its browser; quit the browser and try again: " + store.string());
            }
        }
    }
    EXPECT_EQ(hosts(), std::vector<std::string>{"news.example"});
}

INSTANTIATE_TEST_SUITE_P(
    Stores, CookieUndoTest,
    ::testing::Values(StoreKind{"ChromiumRollback", testing::CookieSchema::chromium, testing::JournalMode::rollback},
                      StoreKind{"ChromiumLog", testing::CookieSchema::chromium, testing::JournalMode::writeAheadLog},
                      StoreKind{"FirefoxRollback", testing::CookieSchema::firefox, testing::JournalMode::rollback},
                      StoreKind{"FirefoxLog", testing::CookieSchema::firefox, testing::JournalMode::writeAheadLog}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zentrel::scanners
