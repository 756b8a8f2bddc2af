#include "scanners/privacy/SweepJournal.hpp"

#include "model/CookieDomains.hpp"
#include "model/SweepActionTitle.hpp"
#include "platform/files/AtomicFile.hpp"
#include "platform/files/FileDescriptor.hpp"
#include "platform/text/BoundedJson.hpp"
#include "platform/text/Localization.hpp"
#include "platform/text/LosslessText.hpp"
#include "scanners/duplicates/Sha256.hpp"
#include "scanners/privacy/PrivacyScanner.hpp"
#include "scanners/privacy/PrivacySweepError.hpp"
#include "scanners/privacy/RecentFilesMerge.hpp"
#include "scanners/privacy/RunningBrowser.hpp"
#include "scanners/privacy/SQLiteCookieDatabase.hpp"

#include <nlohmann/json.hpp>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <iterator>
#include <array>

namespace zentrel::scanners {

namespace fs = std::filesystem;

namespace {

constexpr const char* kManifestName = "origins.json";
constexpr const char* kRecordName = "sweep.json";
constexpr const char* kPasteboardName = "pasteboard.txt";
constexpr const char* kJournalFiles[] = {"origins.json", "sweep.json", "pasteboard.txt"};
constexpr const char* kItemsFolder = "items";
constexpr const char* kWriteAheadLog = "-wal";
constexpr const char* kSharedMemoryIndex = "-shm";

// The journal's own files and saved clipboard text are small; anything larger is not one of them.
constexpr std::uint64_t kLargestJournalFile = 16 * 1024 * 1024;

constexpr std::uint64_t kLargestStore = std::uint64_t{4} * 1024 * 1024 * 1024;
constexpr const char* kRestoreSuffix = ".zentrel-restore";

constexpr fs::perms kOwnerOnlyFolder = fs::perms::owner_all;
constexpr fs::perms kOwnerOnlyFile = fs::perms::owner_read | fs::perms::owner_write;

bool entryExists(const fs::path& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

fs::path withSuffix(fs::path path, const char* suffix) {
    path += suffix;
    return path;
}

// What the journal noted of one copy: the original it belongs to and that
// original's mode. Older journals noted the path alone.
struct Origin {
    std::string originalPath;
    std::optional<fs::perms> mode;
};

// Which original each copy in a sweep folder belongs to, by the copy's path
// relative to the folder.
nlohmann::json loadManifest(const fs::path& folder) {
    auto text = platform::readRegularFile(folder / kManifestName, kLargestJournalFile);
    if (!text) return nlohmann::json::object();
    auto manifest = platform::parseBoundedJson(*text);
    return manifest.is_object() ? manifest : nlohmann::json::object();
}

std::optional<Origin> originIn(const nlohmann::json& manifest, const std::string& relative) {
    const auto found = manifest.find(relative);
    if (found == manifest.end()) return std::nullopt;
    if (found->is_string()) return Origin{found->get<std::string>(), std::nullopt};
    auto path = platform::losslessText(*found, "originalPath");
    if (!path) return std::nullopt;
    Origin origin{std::move(*path), std::nullopt};
    if (const auto mode = found->find("mode"); mode != found->end() && mode->is_number_unsigned()) {
        origin.mode = static_cast<fs::perms>(mode->get<unsigned>()) & fs::perms::mask;
    }
    return origin;
}

// Gives `target` the access and modification times of `source`, set
// through the handle of the folder it lies in and never through a link.
void keepTimes(const fs::path& source, const fs::path& target) {
    struct stat status {};
    if (::lstat(source.c_str(), &status) != 0) return;
    const auto folder = target.parent_path();
    const platform::FileDescriptor handle(
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!handle.isOpen()) return;
    const struct timespec times[2] = {status.st_atim, status.st_mtim};
    (void)::utimensat(handle.get(), target.filename().c_str(), times, AT_SYMLINK_NOFOLLOW);
}

// A copy with the times of what it copies: a backup keeps the item's, and
// an undo gives them back.
void copyItem(const fs::path& from, const fs::path& to) {
    if (!fs::is_directory(fs::symlink_status(from))) {
        fs::copy(from, to, fs::copy_options::copy_symlinks);
        keepTimes(from, to);
        return;
    }
    fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    // Folders last and deepest first: copying into a folder changes its time.
    std::vector<std::pair<fs::path, fs::path>> folders = {{from, to}};
    for (const auto& entry : fs::recursive_directory_iterator(from)) {
        const auto copy = to / entry.path().lexically_relative(from);
        if (entry.is_directory() && !entry.is_symlink()) {
            folders.emplace_back(entry.path(), copy);
        } else {
            keepTimes(entry.path(), copy);
        }
    }
    for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder) keepTimes(folder->first, folder->second);
}

void restrictToOwner(const fs::path& copy) {
    std::error_code ignored;
    if (fs::is_directory(fs::symlink_status(copy, ignored))) {
        fs::permissions(copy, kOwnerOnlyFolder, ignored);
    } else if (fs::is_regular_file(fs::symlink_status(copy, ignored))) {
        fs::permissions(copy, kOwnerOnlyFile, ignored);
    }
}

// A file that has other names keeps its inode: the copy is written into it,
// so every name holds the restored contents again. False when `target` is
// no such file.
bool rewriteSharedFile(const fs::path& source, const fs::path& target) {
    struct stat status {};
    if (::lstat(target.c_str(), &status) != 0 || !S_ISREG(status.st_mode) || status.st_nlink < 2) return false;
    const auto contents = platform::readRegularFile(source, kLargestStore);
    if (!contents) throw fs::filesystem_error("the backup cannot be read", source, std::make_error_code(std::errc::io_error));
    const int fd = ::open(target.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) throw fs::filesystem_error("open", target, std::error_code(errno, std::generic_category()));
    std::size_t done = 0;
    bool ok = ::ftruncate(fd, 0) == 0;
    while (ok && done < contents->size()) {
        const ssize_t wrote = ::write(fd, contents->data() + done, contents->size() - done);
        if (wrote < 0 && errno == EINTR) continue;
        ok = wrote > 0;
        if (ok) done += static_cast<std::size_t>(wrote);
    }
    const int code = errno;
    ok = ok && ::fsync(fd) == 0;
    ::close(fd);
    if (!ok) throw fs::filesystem_error("write", target, std::error_code(code, std::generic_category()));
    return true;
}

// The saved copy and the file as it is now, both plain files reached without a link.
std::pair<std::string, std::string> readSavedAndCurrent(const fs::path& backup, const fs::path& current) {
    auto saved = platform::readRegularFile(backup, kLargestStore);
    auto since = platform::readRegularFile(current, kLargestStore);
    if (!saved || !since) throw fs::filesystem_error("read", current, std::make_error_code(std::errc::io_error));
    return {std::move(*saved), std::move(*since)};
}

// Puts `merged` in place of `target` through a staged file beside it and a
// rename, so the target is never half-written and never written through a
// link; a file with other names is written in place.
void writeMerged(const fs::path& target, const std::string& merged, std::optional<fs::perms> mode) {
    const auto staged = withSuffix(target, kRestoreSuffix);
    fs::remove_all(staged);
    platform::writeFileAtomicallyOrThrow(staged, merged);
    try {
        if (mode) fs::permissions(staged, *mode);
        if (!rewriteSharedFile(staged, target)) fs::rename(staged, target);
    } catch (...) {
        std::error_code ignored;
        fs::remove(staged, ignored);
        throw;
    }
    std::error_code ignored;
    fs::remove(staged, ignored);
}

// A history written to since the sweep gets its saved lines back in front of
// the new ones.
void mergeHistory(const fs::path& backup, const fs::path& history, std::optional<fs::perms> mode) {
    const auto [saved, since] = readSavedAndCurrent(backup, history);
    // An undo made before already put the saved lines back.
    std::string merged = since.starts_with(saved) ? std::string() : saved;
    if (!merged.empty() && !since.empty() && merged.back() != '\n') merged += '\n';
    merged += since;
    writeMerged(history, merged, mode);
}

// The desktop's recent-files list, an XBEL file.
bool isRecentFilesList(const fs::path& path) { return path.extension() == ".xbel"; }

// Replaces whatever is at `target` with a copy of `source` in `mode`, through
// a temporary entry beside it and a rename, so the target is never half-written.
void replaceWithCopy(const fs::path& source, const fs::path& target, std::optional<fs::perms> mode) {
    if (rewriteSharedFile(source, target)) {
        keepTimes(source, target);
        return;
    }
    const auto temporary = withSuffix(target, kRestoreSuffix);
    fs::remove_all(temporary);
    copyItem(source, temporary);
    if (mode) fs::permissions(temporary, *mode);
    if (fs::is_directory(fs::symlink_status(target))) fs::remove_all(target);
    fs::rename(temporary, target);
}

// The contents of a store and of its log, as one digest; none when the store is gone.
std::optional<std::string> stateDigest(const fs::path& store) {
    const auto contents = platform::readRegularFile(store, kLargestStore);
    if (!contents) return std::nullopt;
    Sha256 digest;
    digest.update(*contents);
    if (const auto log = platform::readRegularFile(withSuffix(store, kWriteAheadLog), kLargestStore)) digest.update(*log);
    return hexDigest(digest.finish());
}

// The domains of a cookie action: its detail, one domain or several joined by ", ".
std::vector<std::string> domainsOf(const model::SweepAction& action) {
    std::vector<std::string> domains;
    const std::string detail = action.detail.value_or("");
    for (std::size_t start = 0; start < detail.size();) {
        const auto end = std::min(detail.find(", ", start), detail.size());
        if (end > start) domains.push_back(detail.substr(start, end - start));
        start = end + 2;
    }
    return domains;
}

// Which rows of a store's backup a cookie action puts back: those of its
// domains but not those a more specific action of the same store took, so
// that every row belongs to one action. An action of the same domains alone
// (older sweeps recorded ".x.com" and "x.com" apart) is undone with it.
struct RowShare {
    std::vector<std::string> excluded;
    std::vector<platform::Uuid> undone;
};

RowShare rowShare(const model::SweepAction& action, const std::vector<model::SweepAction>& sweepActions) {
    const auto own = domainsOf(action);
    std::set<std::string> ownKeys;
    for (const auto& domain : own) ownKeys.insert(model::cookieDomainKey(domain));
    RowShare share{{}, {action.id}};
    for (const auto& other : sweepActions) {
        if (other.id == action.id || other.kind != model::SweepActionKind::cookieDomain ||
            other.backupPath != action.backupPath) {
            continue;
        }
        const auto theirs = domainsOf(other);
        const bool covered = !theirs.empty() && std::all_of(theirs.begin(), theirs.end(), [&](const std::string& domain) {
            return ownKeys.contains(model::cookieDomainKey(domain));
        });
        if (covered) {
            if (!other.isRestored) share.undone.push_back(other.id);
            continue;
        }
        for (const auto& domain : theirs) {
            if (ownKeys.contains(model::cookieDomainKey(domain))) continue;
            const bool narrower = std::any_of(own.begin(), own.end(), [&](const std::string& mine) {
                return model::cookieHostIsWithin(domain, mine);
            });
            if (narrower) share.excluded.push_back(domain);
        }
    }
    return share;
}

// A store its browser holds, naming the browser to quit where it is known:
// by the folder the store lies in, or by its kind of database.
PrivacySweepError storeBusy(const fs::path& store, const CookieTableLayout& layout,
                            const std::vector<BrowserFolder>& browsers, BrowserHold hold = BrowserHold::running) {
    auto browser = browserOfStore(store.string(), browsers);
    if (!browser && std::string_view(layout.table) == kFirefoxCookieTable.table) browser = model::BrowserKind::firefox;
    if (!browser) return PrivacySweepError::cookieStoreBusy(store.string());
    return PrivacySweepError::cookieStoreBusy(store.string(), busyUndoNotice(*browser, hold));
}

void writeManifest(const fs::path& folder, const nlohmann::json& manifest) {
    platform::writeFileAtomicallyOrThrow(folder / kManifestName, manifest.dump());
}

// `path` lies strictly inside `folder`, compared as written.
bool isLexicallyInside(const fs::path& path, const fs::path& folder) {
    const auto relative = path.lexically_normal().lexically_relative(folder.lexically_normal());
    return !relative.empty() && *relative.begin() != ".." && relative != ".";
}

}  // namespace

namespace {

constexpr const char* kMacBackups = "Library/Application Support/Zentrel/SweepBackups";

}  // namespace

SweepJournal::Places SweepJournal::placesFor(const platform::HostTable& table) {
    const fs::path home = table.home;
    if (table.platform == platform::HostPlatform::macos || table.dataHome.empty()) {
        return {home / kMacBackups, {}, home, browserFolders(table)};
    }
    return {fs::path(table.dataHome) / "zentrel/SweepBackups", {home / kMacBackups}, home, browserFolders(table)};
}

SweepJournal::SweepJournal(const fs::path& home, RestoreGuard guard, std::chrono::milliseconds busyTimeout)
    : SweepJournal(Places{home / kMacBackups, {}, home}, std::move(guard), busyTimeout) {}

SweepJournal::SweepJournal(Places places, RestoreGuard guard, std::chrono::milliseconds busyTimeout)
    : places_(std::move(places)), guard_(std::move(guard)), busyTimeout_(busyTimeout) {}

std::string SweepJournal::backupRoot() const { return places_.root.string(); }

std::vector<fs::path> SweepJournal::allRoots() const {
    std::vector<fs::path> roots = {places_.root};
    roots.insert(roots.end(), places_.formerRoots.begin(), places_.formerRoots.end());
    return roots;
}

bool SweepJournal::reachedWithoutLinks(const fs::path& path) const {
    const auto relative = path.lexically_normal().lexically_relative(places_.home.lexically_normal());
    if (relative.empty() || *relative.begin() == "..") return places_.home.empty();
    auto step = places_.home;
    for (const auto& component : relative) {
        step /= component;
        struct stat status {};
        if (::lstat(step.c_str(), &status) != 0) return errno == ENOENT;
        if (!S_ISDIR(status.st_mode)) return false;
    }
    return true;
}

void SweepJournal::makeFoldersWithoutLinks(const fs::path& folder) const {
    const auto refuse = [&](const fs::path& at) {
        return fs::filesystem_error("a link or a file is where the backups go", at,
                                    std::make_error_code(std::errc::too_many_symbolic_link_levels));
    };
    const auto relative = folder.lexically_normal().lexically_relative(places_.home.lexically_normal());
    if (places_.home.empty() || relative.empty() || *relative.begin() == "..") {
        fs::create_directories(folder);
        return;
    }
    auto step = places_.home;
    for (const auto& component : relative) {
        step /= component;
        if (::mkdir(step.c_str(), 0700) != 0 && errno != EEXIST) {
            throw fs::filesystem_error("mkdir", step, std::error_code(errno, std::generic_category()));
        }
        struct stat status {};
        if (::lstat(step.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) throw refuse(step);
    }
}

void SweepJournal::removeEmptyFormerFolders() const {
    const fs::path macPlace = kMacBackups;
    for (const auto& former : places_.formerRoots) {
        // rmdir takes only an empty real folder, never a link or anything in it.
        auto folder = former;
        for (auto step = macPlace.begin(); step != macPlace.end() && ::rmdir(folder.c_str()) == 0; ++step) {
            folder = folder.parent_path();
        }
    }
}

fs::path SweepJournal::sweepFolder(const platform::Uuid& sweepID) const {
    return fs::path(backupRoot()) / sweepID.string();
}

fs::path SweepJournal::createSweepFolder(const platform::Uuid& sweepID) const {
    const auto folder = sweepFolder(sweepID);
    makeFoldersWithoutLinks(folder);
    fs::permissions(backupRoot(), kOwnerOnlyFolder);
    fs::permissions(folder, kOwnerOnlyFolder);
    return folder;
}

std::string SweepJournal::backupFile(const std::string& path, const platform::Uuid& sweepID) {
    if (!entryExists(path)) throw PrivacySweepError::backupFailed(path);
    const auto folder = createSweepFolder(sweepID);
    auto manifest = loadManifest(folder);

    // The first place that is free or already holds this same item.
    const auto name = fs::path(path).filename();
    fs::path relative = fs::path(kItemsFolder) / name;
    for (int slot = 2;; ++slot) {
        const auto origin = originIn(manifest, relative.generic_string());
        if (!origin || origin->originalPath == path) break;
        relative = fs::path(kItemsFolder) / std::to_string(slot) / name;
    }
    const auto destination = folder / relative;

    for (auto parent = destination.parent_path(); parent != folder; parent = parent.parent_path()) {
        fs::create_directories(parent);
        restrictToOwner(parent);
    }
    for (const auto& stale : {destination, withSuffix(destination, kWriteAheadLog)}) fs::remove_all(stale);
    const auto mode = fs::symlink_status(path).permissions() & fs::perms::mask;
    copyItem(path, destination);
    restrictToOwner(destination);
    const auto log = withSuffix(path, kWriteAheadLog);
    if (fs::is_regular_file(fs::symlink_status(log))) {
        fs::copy_file(log, withSuffix(destination, kWriteAheadLog));
        keepTimes(log, withSuffix(destination, kWriteAheadLog));
        restrictToOwner(withSuffix(destination, kWriteAheadLog));
    }

    nlohmann::json entry = {{"mode", static_cast<unsigned>(mode)}};
    platform::putLosslessText(entry, "originalPath", path);
    manifest[relative.generic_string()] = std::move(entry);
    writeManifest(folder, manifest);
    return destination.string();
}

void SweepJournal::noteSweptState(const std::string& backupPath) {
    const auto location = locate(backupPath);
    if (!location) return;
    auto manifest = loadManifest(location->folder);
    const auto key = location->relative.generic_string();
    const auto origin = originIn(manifest, key);
    if (!origin || !manifest[key].is_object()) return;
    if (auto digest = stateDigest(origin->originalPath)) {
        // Without the note an undo merges rows back instead of copying the file.
        manifest[key]["sweptDigest"] = *digest;
        (void)platform::writeFileAtomically(location->folder / kManifestName, manifest.dump());
    }
}

std::string SweepJournal::backupPasteboard(const std::string& text, const platform::Uuid& sweepID) {
    const auto file = createSweepFolder(sweepID) / kPasteboardName;
    platform::writeFileAtomicallyOrThrow(file, platform::prefixOfCharacters(text, kClipboardCharacterLimit));
    restrictToOwner(file);
    return file.string();
}

std::optional<SweepJournal::BackupLocation> SweepJournal::locate(const fs::path& backup) const {
    const auto roots = allRoots();
    const auto found = std::find_if(roots.begin(), roots.end(), [&](const fs::path& root) {
        return isLexicallyInside(backup, root);
    });
    if (found == roots.end() || !reachedWithoutLinks(*found)) return std::nullopt;
    const fs::path root = *found;
    const auto relative = backup.lexically_normal().lexically_relative(root.lexically_normal());
    auto part = relative.begin();
    if (!platform::Uuid::parse(part->string())) return std::nullopt;
    BackupLocation location{root / *part, {}};
    for (++part; part != relative.end(); ++part) location.relative /= *part;
    if (location.relative.empty()) return std::nullopt;
    // Every step from the root to the copy is a real folder or file, never a link.
    auto step = root;
    std::error_code error;
    if (fs::is_symlink(fs::symlink_status(step, error))) return std::nullopt;
    for (const auto& component : relative) {
        step /= component;
        if (fs::is_symlink(fs::symlink_status(step, error))) return std::nullopt;
    }
    return location;
}

std::vector<platform::Uuid> SweepJournal::restore(const model::SweepAction& action, platform::Clipboard& clipboard,
                                                  const std::vector<model::SweepAction>& sweepActions) {
    return restoreAction(action, clipboard, sweepActions).undone;
}

SweepJournal::Restored SweepJournal::restoreAction(const model::SweepAction& action, platform::Clipboard& clipboard,
                                                   const std::vector<model::SweepAction>& sweepActions) {
    const auto refuse = [&](const std::string& reason) {
        return PrivacySweepError::restoreRefused(model::sweepActionTitle(action), reason);
    };
    if (!action.backupPath || !entryExists(*action.backupPath)) throw refuse(platform::localized("its backup is gone."));
    const auto location = locate(*action.backupPath);
    if (!location) throw refuse(platform::localized("its backup is not one this app made."));

    if (action.kind == model::SweepActionKind::pasteboardCleared) {
        if (location->relative != kPasteboardName) throw refuse(platform::localized("its backup is not saved clipboard text."));
        auto text = platform::readRegularFile(*action.backupPath, kLargestJournalFile);
        if (!text) {
            throw PrivacySweepError::restoreFailed(model::sweepActionTitle(action),
                                                   platform::localized("the saved text could not be read."));
        }
        clipboard.clear();
        if (!text->empty()) clipboard.setText(*text);
        return {{action.id}};
    }
    return restoreFile(action, *location, sweepActions);
}

SweepJournal::Restored SweepJournal::restoreFile(const model::SweepAction& action, const BackupLocation& location,
                                                 const std::vector<model::SweepAction>& sweepActions) {
    const auto refuse = [&](const std::string& reason) {
        return PrivacySweepError::restoreRefused(model::sweepActionTitle(action), reason);
    };
    if (!action.originalPath) throw refuse(platform::localized("nothing records where it came from."));
    const fs::path original = *action.originalPath;
    const auto manifest = loadManifest(location.folder);
    const auto origin = originIn(manifest, location.relative.generic_string());
    if (!origin || origin->originalPath != *action.originalPath) {
        throw refuse(platform::localizedFormat("its backup was not made from %@.", {original.string()}));
    }
    for (const auto& root : allRoots()) {
        if (isLexicallyInside(original, root)) throw refuse(platform::localized("it would go back inside the backups."));
    }
    if (guard_) {
        if (auto refusal = guard_(original.string())) throw refuse(*refusal);
    }
    const fs::path backup = *action.backupPath;
    std::error_code ignored;
    const auto current = fs::symlink_status(original, ignored);
    const bool backupIsFolder = fs::is_directory(fs::symlink_status(backup, ignored));
    if (!backupIsFolder) {
        for (const auto& copy : {backup, withSuffix(backup, kWriteAheadLog)}) {
            if (copy != backup && !entryExists(copy)) continue;
            if (auto reason = platform::notARegularFile(copy)) {
                throw refuse(platform::localizedFormat("its backup is not a plain file: %@.", {*reason}));
            }
        }
    }
    if (fs::exists(current) && !fs::is_symlink(current) && fs::is_directory(current) != backupIsFolder) {
        throw refuse(backupIsFolder ? platform::localized("a file is there now.")
                                    : platform::localized("a folder is there now."));
    }

    // The other actions of the same store that are still to be undone.
    std::vector<platform::Uuid> undone = {action.id};
    for (const auto& other : sweepActions) {
        if (other.id != action.id && !other.isRestored && other.backupPath == action.backupPath) undone.push_back(other.id);
    }
    if (action.kind == model::SweepActionKind::cookieDomain && fs::exists(current)) {
        if (const auto layout = SQLiteCookieDatabase::layoutOf(backup.string())) {
            const SQLiteCookieDatabase store(*layout, busyTimeout_);
            const auto hold = runningBrowserHold(original.string());
            if (hold || store.isInUse(original.string())) {
                throw storeBusy(original, *layout, places_.browsers, hold.value_or(BrowserHold::running));
            }
            const auto& entry = manifest[location.relative.generic_string()];
            const bool unchanged = entry.is_object() && entry.contains("sweptDigest") &&
                                   entry["sweptDigest"].is_string() &&
                                   stateDigest(original) == entry["sweptDigest"].get<std::string>();
            const auto currentLayout = SQLiteCookieDatabase::layoutOf(original.string());
            // A store that is no longer a cookie database of its kind can only take the whole copy.
            const bool takesRows = currentLayout && std::string_view(currentLayout->table) == layout->table;
            if (takesRows && (!unchanged || undone.size() > 1)) {
                const auto share = rowShare(action, sweepActions);
                std::int64_t restored = 0;
                try {
                    restored = store.restoreHosts(original.string(), backup.string(), domainsOf(action), share.excluded);
                } catch (const PrivacySweepError& error) {
                    if (error.kind() == PrivacySweepError::Kind::cookieStoreBusy) throw storeBusy(original, *layout, places_.browsers);
                    throw;
                }
                return {share.undone, restored < 1};
            }
        }
    }

    try {
        fs::create_directories(original.parent_path());
        if (action.kind == model::SweepActionKind::fileTruncated && fs::is_regular_file(current)) {
            mergeHistory(backup, original, origin->mode);
            return {{action.id}};
        }
        if (action.kind == model::SweepActionKind::recentsCleared && fs::is_regular_file(current) &&
            !backupIsFolder && isRecentFilesList(original)) {
            // A list written since the sweep keeps its entries; the saved ones are added back.
            const auto [saved, since] = readSavedAndCurrent(backup, original);
            const auto merge = mergeRecentFiles(saved, since);
            if (merge.refusal) throw refuse(*merge.refusal);
            if (merge.contents != since) writeMerged(original, merge.contents, origin->mode);
            return {{action.id}};
        }
        replaceWithCopy(backup, original, origin->mode);
        if (action.kind != model::SweepActionKind::cookieDomain) return {{action.id}};
        // A database goes back with the log it had; a stale log would be
        // replayed into it, and its index is rebuilt by the library.
        const auto savedLog = withSuffix(backup, kWriteAheadLog);
        const auto currentLog = withSuffix(original, kWriteAheadLog);
        if (fs::is_regular_file(fs::symlink_status(savedLog))) {
            replaceWithCopy(savedLog, currentLog, origin->mode);
        } else {
            fs::remove(currentLog);
        }
        fs::remove(withSuffix(original, kSharedMemoryIndex));
    } catch (const fs::filesystem_error& error) {
        throw PrivacySweepError::restoreFailed(model::sweepActionTitle(action),
                                               platform::fileErrorText(error.code()) + ".");
    }
    // The whole store went back: every action of it is undone.
    return {undone};
}

void SweepJournal::recordSweep(const model::SweepRecord& record, bool inProgress) {
    const auto folder = createSweepFolder(record.id);
    auto json = model::encodeSweepRecord(record);
    json["inProgress"] = inProgress;
    platform::writeFileAtomicallyOrThrow(folder / kRecordName, json.dump());
    restrictToOwner(folder / kRecordName);
}

std::optional<model::SweepRecord> SweepJournal::recordIn(const fs::path& folder) const {
    const auto text = platform::readRegularFile(folder / kRecordName, kLargestJournalFile);
    if (!text) return std::nullopt;
    const auto json = platform::parseBoundedJson(*text);
    try {
        auto record = model::decodeSweepRecord(json);
        if (record.id.string() == folder.filename().string()) return record;
    } catch (const std::exception&) {
        // A damaged record is no record; its folder then ages by its own time.
    }
    return std::nullopt;
}

std::vector<model::SweepRecord> SweepJournal::recordedSweeps() const {
    std::vector<model::SweepRecord> records;
    std::error_code error;
    for (const auto& root : allRoots()) {
        if (!reachedWithoutLinks(root)) continue;
        for (const auto& entry : fs::directory_iterator(root, error)) {
            if (!platform::Uuid::parse(entry.path().filename().string()) || entry.is_symlink(error)) continue;
            if (auto record = recordIn(entry.path())) records.push_back(std::move(*record));
        }
    }
    return records;
}

std::size_t SweepJournal::purgeBackups(const std::set<platform::Uuid>& liveSweepIDs,
                                       const std::set<platform::Uuid>& loggedSweepIDs, platform::Date now) {
    std::error_code error;
    std::size_t removed = 0;
    for (const auto& root : allRoots()) {
        if (!reachedWithoutLinks(root)) continue;
        for (const auto& entry : fs::directory_iterator(root, error)) {
            const auto id = platform::Uuid::parse(entry.path().filename().string());
            if (!id || !entry.is_directory(error) || entry.is_symlink(error)) continue;
            // Only a folder this journal made: it holds the journal's own files.
            const bool ours = std::any_of(std::begin(kJournalFiles), std::end(kJournalFiles), [&](const char* name) {
                return fs::is_regular_file(fs::symlink_status(entry.path() / name, error));
            });
            if (!ours) continue;
            removeUnfinishedRestores(entry.path());
            if (liveSweepIDs.contains(*id)) continue;
            const bool aDayOld = now.timeIntervalSince(madeAt(entry.path())) >= kTtlSeconds;
            if (!loggedSweepIDs.contains(*id) && !aDayOld) continue;
            std::error_code removal;
            fs::remove_all(entry.path(), removal);
            if (!removal) ++removed;
        }
    }
    removeEmptyFormerFolders();
    return removed;
}

void SweepJournal::removeUnfinishedRestores(const fs::path& folder) const {
    const auto manifest = loadManifest(folder);
    for (const auto& [relative, ignored] : manifest.items()) {
        const auto origin = originIn(manifest, relative);
        if (!origin) continue;
        // An undo cut short leaves its copy beside the original, under this name only it uses.
        for (const auto& original : {fs::path(origin->originalPath), withSuffix(origin->originalPath, kWriteAheadLog)}) {
            const auto leftover = withSuffix(original, kRestoreSuffix);
            std::error_code error;
            const auto status = fs::symlink_status(leftover, error);
            if (fs::is_regular_file(status) || fs::is_directory(status)) fs::remove_all(leftover, error);
        }
    }
}

platform::Date SweepJournal::madeAt(const fs::path& folder) const {
    if (const auto record = recordIn(folder)) return record->date;
    struct stat status {};
    if (::lstat(folder.c_str(), &status) != 0) return platform::Date::fromTimeIntervalSince1970(0);
    return platform::Date::fromTimeIntervalSince1970(static_cast<double>(status.st_mtim.tv_sec) +
                                                     static_cast<double>(status.st_mtim.tv_nsec) / 1e9);
}

}  // namespace zentrel::scanners
