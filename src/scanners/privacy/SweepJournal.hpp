#pragma once
// The material that lets a privacy sweep be undone: before the clean run
// removes, empties or rewrites a privacy item it copies it into the sweep's
// own folder, and an undo copies it back. The backups live under the data
// folder ("zentrel/SweepBackups") on a Linux desktop, under "Library/
// Application Support/Zentrel/SweepBackups" on a Mac; backups left in the
// Mac place by earlier versions on Linux are still undone and purged from
// there, and its folders go once they are empty. Backups hold history, cookies and clipboard text, so
// they are readable by the user alone; each item's own mode is noted and
// given back on undo.
//
// A sweep folder holds the journal's own files, "origins.json" (which
// original each copy belongs to, and its mode) and "pasteboard.txt", beside
// the folder "items" with the copies. Items of one sweep that share a file
// name (every browser profile's N_("Cookies")) are kept apart in numbered
// subfolders of "items". A database is copied with its "-wal" log.
//
// The sweep's record is kept in its folder as well, as "sweep.json", written
// before the first change and again after each one, so that a sweep cut
// short (the app killed, the settings not written) is still known: the next
// start hands such records to the sweep log, and backups are never purged
// while their sweep could still be undone.
//
// An undo of a shell history puts the saved lines in front of those written
// since; an undo of the desktop's recent-files list adds its saved entries
// back to the list written since (RecentFilesMerge), and leaves a list it
// cannot read alone rather than lose what it holds.
// An undo of tracker cookies puts back that action's rows from the backup
// into the store as it is now, so that cookies saved since stay and each
// action brings back its own hosts; a store that nothing has changed since
// the sweep, and whose other actions are all undone, goes back byte for
// byte. A store its browser holds is left alone, and the browser to quit is
// named, as the clean does.
// Synchronous: the engine runs it on a serial executor; the clipboard is the
// caller's to reach on the main thread.

#include "model/SweepRecord.hpp"
#include "platform/desktop/Clipboard.hpp"
#include "platform/places/HostTable.hpp"
#include "platform/text/Localization.hpp"
#include "platform/text/Uuid.hpp"
#include "scanners/privacy/RunningBrowser.hpp"

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>

namespace zentrel::scanners {

class SweepJournal final {
public:
    static constexpr double kTtlSeconds = 86400.0;
    static constexpr std::size_t kClipboardCharacterLimit = 4000;

    // Why the entry at a path must not be replaced by an undo; none when it may.
    using RestoreGuard = std::function<std::optional<std::string>(const std::string& path)>;

    // Where the backups go, and where earlier versions put them.
    struct Places {
        std::filesystem::path root;
        std::vector<std::filesystem::path> formerRoots;
        // The home they lie in: every folder between it and a backup is a real folder, never a link.
        std::filesystem::path home;
        // Where the browsers keep their cookie stores, to name the one to quit.
        std::vector<BrowserFolder> browsers;
    };
    [[nodiscard]] static Places placesFor(const platform::HostTable& table);

    // Backups in the Mac place under `home`.
    SweepJournal(const std::filesystem::path& home, RestoreGuard guard,
                 std::chrono::milliseconds busyTimeout = std::chrono::milliseconds(3000));
    SweepJournal(Places places, RestoreGuard guard,
                 std::chrono::milliseconds busyTimeout = std::chrono::milliseconds(3000));

    [[nodiscard]] std::string backupRoot() const;

    // Copies the file and returns the copy's path. Throws PrivacySweepError
    // (backupFailed with the path) when nothing is there, or
    // std::filesystem::filesystem_error when the copy fails.
    [[nodiscard]] std::string backupFile(const std::string& path, const platform::Uuid& sweepID);
    // Notes the state the sweep left an original in, by its backup's path,
    // so that an undo can tell whether anything changed it since. Never fails.
    void noteSweptState(const std::string& backupPath);
    // Saves clipboard text (cut to 4000 characters) as "pasteboard.txt".
    [[nodiscard]] std::string backupPasteboard(const std::string& text, const platform::Uuid& sweepID);

    // Puts one action back. A clipboard action's text goes to `clipboard`
    // (cleared first, so an empty saved text leaves it empty). A copy goes
    // back only to the original this journal recorded for it, never over a
    // folder when it is a file (or the other way round), never inside the
    // backups and never where the guard refuses. `sweepActions` are the
    // actions of the same sweep. Returns the actions now undone: this one,
    // and those of the same backup when a whole file went back. Throws
    // PrivacySweepError: restoreRefused (nothing changed), restoreFailed, or
    // the errors of the cookie stores (cookieStoreBusy, naming the browser,
    // while a browser holds its store).
    std::vector<platform::Uuid> restore(const model::SweepAction& action, platform::Clipboard& clipboard,
                                        const std::vector<model::SweepAction>& sweepActions = {});
    // The same, telling too whether the action's cookies were all back in
    // their store already (the site set them again, an undo was cut short):
    // nothing is left to restore, and the action is settled all the same.
    struct Restored {
        std::vector<platform::Uuid> undone;
        bool alreadyBack = false;
    };
    Restored restoreAction(const model::SweepAction& action, platform::Clipboard& clipboard,
                           const std::vector<model::SweepAction>& sweepActions = {});

    // Writes the sweep's record into its folder, creating the folder; the
    // record of a sweep still running is marked so. Throws
    // std::filesystem::filesystem_error when it cannot be written.
    void recordSweep(const model::SweepRecord& record, bool inProgress);
    // The records kept in the sweep folders, whatever the sweep log holds.
    [[nodiscard]] std::vector<model::SweepRecord> recordedSweeps() const;

    // Removes what undos cut short left beside the originals, then the sweep
    // folders (named by a UUID) whose sweep is not in
    // `liveSweepIDs` and that either the log holds (`loggedSweepIDs`: it is
    // done with them) or are at least a day old at `now`, by their record or,
    // without one, by the folder's own time; other entries of the root stay.
    // Returns how many went.
    std::size_t purgeBackups(const std::set<platform::Uuid>& liveSweepIDs,
                             const std::set<platform::Uuid>& loggedSweepIDs, platform::Date now);

private:
    // Where a backup lies: its sweep folder and its path relative to it.
    struct BackupLocation {
        std::filesystem::path folder;
        std::filesystem::path relative;
    };

    [[nodiscard]] std::vector<std::filesystem::path> allRoots() const;
    // Whether every folder from the home down to `path` is a real folder (or not there yet).
    [[nodiscard]] bool reachedWithoutLinks(const std::filesystem::path& path) const;
    // Makes the folders from the home down to `folder`, owner-only, refusing any link on the way.
    void makeFoldersWithoutLinks(const std::filesystem::path& folder) const;
    // Removes a former place's folders that are left empty, up to the home's own child.
    void removeEmptyFormerFolders() const;
    [[nodiscard]] std::filesystem::path sweepFolder(const platform::Uuid& sweepID) const;
    [[nodiscard]] std::filesystem::path createSweepFolder(const platform::Uuid& sweepID) const;
    // The sweep folder and relative path of a backup path that lies in one,
    // reached through real folders; none otherwise.
    [[nodiscard]] std::optional<BackupLocation> locate(const std::filesystem::path& backup) const;
    [[nodiscard]] std::optional<model::SweepRecord> recordIn(const std::filesystem::path& folder) const;
    // Removes what an undo cut short left beside the originals of a sweep folder.
    void removeUnfinishedRestores(const std::filesystem::path& folder) const;
    // When a sweep folder was made: its record's date, else the folder's own time.
    [[nodiscard]] platform::Date madeAt(const std::filesystem::path& folder) const;
    Restored restoreFile(const model::SweepAction& action, const BackupLocation& location,
                                            const std::vector<model::SweepAction>& sweepActions);

    Places places_;
    RestoreGuard guard_;
    std::chrono::milliseconds busyTimeout_;
};

}  // namespace zentrel::scanners
