#include "scanners/SweepJournal.hpp"

#include "platform/AtomicFile.hpp"
#include "scanners/PrivacySweepError.hpp"

#include <nlohmann/json.hpp>

#include <algorithm>

namespace zentrel::scanners {

namespace fs = std::filesystem;

namespace {

constexpr const char* kManifestName = "origins.json";
constexpr const char* kPasteboardName = "pasteboard.txt";
constexpr std::array<const char*, 2> kDatabaseCompanions = {"-wal", "-shm"};

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

// Which original each copy in a sweep folder belongs to, by the copy's path
// relative to the folder.
nlohmann::json loadManifest(const fs::path& folder) {
    auto text = platform::readWholeFile(folder / kManifestName);
    if (!text) return nlohmann::json::object();
    auto manifest = nlohmann::json::parse(*text, nullptr, false);
    return manifest.is_object() ? manifest : nlohmann::json::object();
}

void copyItem(const fs::path& from, const fs::path& to) {
    if (fs::is_directory(fs::symlink_status(from))) {
        fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    } else {
        fs::copy(from, to, fs::copy_options::copy_symlinks);
    }
}

void restrictToOwner(const fs::path& copy) {
    std::error_code ignored;
    if (fs::is_directory(fs::symlink_status(copy, ignored))) {
        fs::permissions(copy, kOwnerOnlyFolder, ignored);
    } else if (fs::is_regular_file(fs::symlink_status(copy, ignored))) {
        fs::permissions(copy, kOwnerOnlyFile, ignored);
    }
}

// Replaces whatever is at `target` with a copy of `source`, through a
// temporary file beside it and a rename, so the target is never half-written.
void replaceWithCopy(const fs::path& source, const fs::path& target) {
    const auto temporary = withSuffix(target, ".zentrel-restore");
    fs::remove_all(temporary);
    copyItem(source, temporary);
    if (fs::is_directory(fs::symlink_status(target))) fs::remove_all(target);
    fs::rename(temporary, target);
}

}  // namespace

SweepJournal::SweepJournal(fs::path home) : home_(std::move(home)) {}

std::string SweepJournal::backupRoot() const {
    return (home_ / "Library/Application Support/Zentrel/SweepBackups").string();
}

fs::path SweepJournal::sweepFolder(const platform::Uuid& sweepID) const {
    return fs::path(backupRoot()) / sweepID.string();
}

fs::path SweepJournal::createSweepFolder(const platform::Uuid& sweepID) const {
    const auto folder = sweepFolder(sweepID);
    fs::create_directories(folder);
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
    fs::path relative = name;
    for (int slot = 2; manifest.contains(relative.string()) && manifest[relative.string()] != path; ++slot)
        relative = fs::path(std::to_string(slot)) / name;
    const auto destination = folder / relative;

    fs::create_directories(destination.parent_path());
    restrictToOwner(destination.parent_path());
    for (const auto& stale : {destination, withSuffix(destination, "-wal"), withSuffix(destination, "-shm")})
        fs::remove_all(stale);
    copyItem(path, destination);
    restrictToOwner(destination);
    for (const char* companion : kDatabaseCompanions) {
        const auto original = withSuffix(path, companion);
        if (!fs::is_regular_file(fs::symlink_status(original))) continue;
        fs::copy_file(original, withSuffix(destination, companion));
        restrictToOwner(withSuffix(destination, companion));
    }

    manifest[relative.string()] = path;
    if (auto error = platform::writeFileAtomically(folder / kManifestName, manifest.dump())) {
        throw fs::filesystem_error(*error, folder / kManifestName, std::make_error_code(std::errc::io_error));
    }
    return destination.string();
}

std::string SweepJournal::backupPasteboard(const std::string& text, const platform::Uuid& sweepID) {
    const auto file = createSweepFolder(sweepID) / kPasteboardName;
    if (auto error = platform::writeFileAtomically(file, platform::prefixOfCharacters(text, kClipboardCharacterLimit))) {
        throw fs::filesystem_error(*error, file, std::make_error_code(std::errc::io_error));
    }
    restrictToOwner(file);
    return file.string();
}

bool SweepJournal::isInside(const fs::path& path, const fs::path& folder) const {
    std::error_code error;
    const auto resolved = fs::weakly_canonical(path, error);
    if (error) return false;
    const auto base = fs::weakly_canonical(folder, error);
    if (error) return false;
    auto [baseEnd, pathAt] = std::mismatch(base.begin(), base.end(), resolved.begin(), resolved.end());
    return baseEnd == base.end() && pathAt != resolved.end();
}

void SweepJournal::restore(const model::SweepAction& action, platform::Clipboard& clipboard) {
    const auto refuse = [&] { return PrivacySweepError::backupFailed(action.label); };
    if (!action.backupPath || !entryExists(*action.backupPath)) throw refuse();
    // Paths come from a stored journal: they must lead where the journal puts things.
    if (!isInside(*action.backupPath, backupRoot())) throw refuse();
    const fs::path backup = *action.backupPath;

    if (action.kind == model::SweepActionKind::pasteboardCleared) {
        auto text = platform::readWholeFile(backup);
        if (!text) throw fs::filesystem_error("Could not read the saved clipboard", backup,
                                              std::make_error_code(std::errc::io_error));
        clipboard.clear();
        if (!text->empty()) clipboard.setText(*text);
        return;
    }

    if (!action.originalPath || !isInside(*action.originalPath, home_)) throw refuse();
    const fs::path original = *action.originalPath;
    fs::create_directories(original.parent_path());
    replaceWithCopy(backup, original);
    // A database goes back with the companions it had; stale ones would be
    // replayed into it.
    for (const char* companion : kDatabaseCompanions) {
        const auto saved = withSuffix(backup, companion);
        const auto current = withSuffix(original, companion);
        if (fs::is_regular_file(fs::symlink_status(saved))) {
            replaceWithCopy(saved, current);
        } else {
            fs::remove(current);
        }
    }
}

std::size_t SweepJournal::purgeBackups(const std::set<platform::Uuid>& liveSweepIDs) {
    std::error_code error;
    std::size_t removed = 0;
    for (const auto& entry : fs::directory_iterator(backupRoot(), error)) {
        const auto id = platform::Uuid::parse(entry.path().filename().string());
        if (!id || liveSweepIDs.contains(*id) || !entry.is_directory(error) || entry.is_symlink(error)) continue;
        std::error_code removal;
        fs::remove_all(entry.path(), removal);
        if (!removal) ++removed;
    }
    return removed;
}

}  // namespace zentrel::scanners
