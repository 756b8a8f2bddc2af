#pragma once
// The material that lets a privacy sweep be undone: before the clean run
// removes, empties or rewrites a privacy item it copies it into the sweep's
// own folder under "Library/Application Support/Zentrel/SweepBackups", and an
// undo copies it back. Backups hold history, cookies and clipboard text, so
// they are readable by the user alone.
//
// Items of one sweep that share a file name (every browser profile's
// "Cookies") are kept apart in numbered subfolders; "origins.json" in the
// sweep folder records which original each copy belongs to. A database is
// copied with its "-wal" and "-shm" companions. Synchronous: the engine runs
// it on a serial executor; the clipboard is the caller's to reach on the main
// thread.

#include "model/SweepRecord.hpp"
#include "platform/Clipboard.hpp"
#include "platform/Uuid.hpp"

#include <filesystem>
#include <set>
#include <string>

namespace zentrel::scanners {

class SweepJournal final {
public:
    static constexpr double kTtlSeconds = 86400.0;
    static constexpr std::size_t kClipboardCharacterLimit = 4000;

    explicit SweepJournal(std::filesystem::path home);

    [[nodiscard]] std::string backupRoot() const;

    // Copies the file and returns the copy's path. Throws PrivacySweepError
    // (backupFailed with the path) when nothing is there, or
    // std::filesystem::filesystem_error when the copy fails.
    [[nodiscard]] std::string backupFile(const std::string& path, const platform::Uuid& sweepID);
    // Saves clipboard text (cut to 4000 characters) as "pasteboard.txt".
    [[nodiscard]] std::string backupPasteboard(const std::string& text, const platform::Uuid& sweepID);

    // Puts one action back. A clipboard action's text goes to `clipboard`.
    // Throws PrivacySweepError (backupFailed with the label) when the backup
    // is missing or either path lies outside its own folder; nothing changes then.
    void restore(const model::SweepAction& action, platform::Clipboard& clipboard);

    // Removes the sweep folders (named by a UUID) whose sweep is not in
    // `liveSweepIDs`; other entries of the root stay. Returns how many went.
    std::size_t purgeBackups(const std::set<platform::Uuid>& liveSweepIDs);

private:
    [[nodiscard]] std::filesystem::path sweepFolder(const platform::Uuid& sweepID) const;
    [[nodiscard]] std::filesystem::path createSweepFolder(const platform::Uuid& sweepID) const;
    [[nodiscard]] bool isInside(const std::filesystem::path& path, const std::filesystem::path& folder) const;

    std::filesystem::path home_;
};

}  // namespace zentrel::scanners
