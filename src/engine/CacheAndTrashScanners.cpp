#include "engine/CacheAndTrashScanners.hpp"

#include "engine/ScanItem.hpp"
#include "platform/text/AsciiCase.hpp"
#include "platform/text/Localization.hpp"

#include <algorithm>
#include <array>

namespace zentrel::engine {

namespace {

using model::CategoryType;
using model::SafetyLevel;

// Each row's place comes from the host table, by its name.
struct AppCacheRow {
    const char* name;
    const char* application;
};

constexpr AppCacheRow kAppCaches[] = {
    {N_("Cursor Logs"), "Cursor"},     {N_("Cursor Cached Data"), "Cursor"}, {N_("VS Code Logs"), "VS Code"},
    {N_("VS Code Cached Data"), "VS Code"}, {N_("Chrome Cache"), "Chrome"},  {N_("Chrome Cache 2"), "Chrome"},
    {N_("Safari Cache"), "Safari"},    {N_("Brave Cache"), "Brave"},         {N_("VS Code Cache"), "VS Code"},
    {N_("Slack Cache"), "Slack"},      {N_("Slack Logs"), "Slack"},          {N_("Discord Cache"), "Discord"},
    {N_("Figma Logs"), N_("Figma")},
};

// Whether the user may delete an entry of a shared folder: the folder lets
// them write, and when it is sticky (as "/var/tmp" is) the entry is theirs.
bool userMayDelete(const platform::FileSystem& fileSystem, const std::string& folder,
                   const platform::FileAttributes& entry, std::uint32_t user) {
    if (user == 0) return true;
    const auto attributes = fileSystem.attributes(folder);
    if (!attributes) return false;
    const auto mode = attributes->permissions;
    const bool writable = attributes->owner == user ? (mode & 0300) == 0300 : (mode & 0003) == 0003;
    const bool sticky = (mode & 01000) != 0;
    return writable && (!sticky || entry.owner == user);
}

constexpr std::int64_t kSystemCacheThreshold = 10'000'000;   // an entry must be larger
constexpr std::int64_t kDownloadThreshold = 100'000'000;     // likewise
constexpr double kOldDownloadSeconds = 2'592'000;

// What emptying a Trash frees: what its entries hold. A desktop Trash keeps
// its own folders, so an emptied one (those folders only) holds nothing.
std::int64_t trashContentBytes(CleanerEngine& engine, const std::string& trash) {
    const auto& fileSystem = engine.fileSystem();
    std::vector<std::string> folders;
    for (const auto* name : {"files", "info", "expunged"}) {
        const auto folder = trash + "/" + name;
        if (const auto attributes = fileSystem.attributes(folder); attributes && attributes->isDirectory())
            folders.push_back(folder);
    }
    // Without those folders the Trash's visible entries are what goes.
    const bool keepsFolders = !folders.empty();
    if (!keepsFolders) folders.push_back(trash);
    std::int64_t total = 0;
    for (const auto& folder : folders) {
        for (const auto& name : fileSystem.contentsOfDirectory(folder).value_or(std::vector<std::string>{})) {
            if (keepsFolders || !name.starts_with(".")) total += engine.cachedSize(folder + "/" + name);
        }
    }
    return total;
}

}  // namespace

CleanerEngine::Items scanAppCaches(CleanerEngine& engine, const platform::HostTable& table) {
    CleanerEngine::Items items;
    for (const auto& row : kAppCaches) {
        const auto path = platform::HostTable::row(table.appCaches, row.name);
        if (path.empty()) continue;
        const auto size = engine.cachedSize(path);
        if (size <= 0) continue;
        const std::string application = row.application;
        auto item = newScanItem(row.name, path, CategoryType::appCaches, application, size);
        item.isSelected = item.isSafe = item.isRecommended = true;
        item.friendlyName = platform::localizedFormat("%@ junk", {application});
        item.friendlyDescription = platform::localizedFormat("Old saved data from %@ that's no longer needed", {application});
        item.safetyLevel = SafetyLevel::safe;
        items.push_back(std::move(item));
    }
    nameApartByFolder(items);
    return items;
}

namespace {

// Each cache by its folder's name, so a confirmation or a screen reader can
// tell them apart: "apt cache", "mesa_shader_cache".
std::string cacheTitle(const std::string& folderName) {
    if (platform::asciiLowercased(folderName).find("cache") != std::string::npos) return folderName;
    return platform::localizedFormat("%@ cache", {folderName});
}

// The large entries of one caches folder.
void appendCacheEntries(CleanerEngine& engine, const platform::HostTable& table,
                        const platform::HostTable::SystemCacheFolder& folder, CleanerEngine::Items& items) {
    const auto& fileSystem = engine.fileSystem();
    const auto& skipPrefixes = table.cacheSkipPrefixes;
    for (const auto& name : fileSystem.contentsOfDirectory(folder.path).value_or(std::vector<std::string>{})) {
        if (folder.userOwned && std::any_of(skipPrefixes.begin(), skipPrefixes.end(),
                                            [&](const auto& prefix) { return name.starts_with(prefix); })) {
            continue;
        }
        const auto path = folder.path + "/" + name;
        const auto attributes = fileSystem.attributes(path);
        if (!attributes || attributes->type == platform::FileType::symbolicLink) continue;
        if (!folder.userOwned && !userMayDelete(fileSystem, folder.path, *attributes, table.userID)) continue;
        const auto size = engine.cachedSize(path);
        if (size <= kSystemCacheThreshold) continue;
        // A shared folder of the system is no cache of the user's.
        auto item = newScanItem(name, path, CategoryType::systemCaches, folder.userOwned ? N_("User Caches") : N_("System Caches"),
                                size);
        item.isSafe = true;
        item.friendlyName = cacheTitle(name);
        item.friendlyDescription = platform::localized("Temporary data macOS saved \u2014 safe to clear");
        item.safetyLevel = SafetyLevel::safe;
        items.push_back(std::move(item));
    }
}

}  // namespace

CleanerEngine::Items scanSystemCaches(CleanerEngine& engine, const platform::HostTable& table) {
    CleanerEngine::Items items;
    for (const auto& folder : table.cacheFolders) appendCacheEntries(engine, table, folder, items);
    const auto& logs = table.logsFolder;
    if (const auto size = logs.empty() ? 0 : engine.cachedSize(logs); size > 0) {
        auto item = newScanItem(N_("User Logs"), logs, CategoryType::systemCaches, N_("User Logs"), size);
        item.isSelected = item.isSafe = item.isRecommended = true;
        item.deletionMethod = model::DeletionMethod::clearDirectoryContents();
        item.friendlyName = platform::localized("App logs");
        item.friendlyDescription = platform::localized("Application activity logs \u2014 safe to delete");
        item.safetyLevel = SafetyLevel::safe;
        items.push_back(std::move(item));
    }
    return items;
}

CleanerEngine::Items scanTrashAndDownloads(CleanerEngine& engine, const platform::HostTable& table, platform::Date now) {
    CleanerEngine::Items items;
    // The user's Trash first, then those of other volumes.
    for (const auto& trash : table.trashFolders) {
        const auto size = trashContentBytes(engine, trash);
        if (size < 1) continue;
        auto item = newScanItem("Trash", trash, CategoryType::trash, "Trash", size);
        item.isSelected = item.isSafe = item.isRecommended = true;
        item.warningMessage = platform::localized("Permanently deletes all Trash contents");
        item.deletionMethod = model::DeletionMethod::emptyTrash();
        item.friendlyName = platform::localized("Trash");
        item.friendlyDescription = platform::localized("Everything in your Trash \u2014 permanently deleted");
        item.safetyLevel = SafetyLevel::safe;
        items.push_back(std::move(item));
    }

    const auto& downloads = table.downloadsFolder;
    const auto cutoff = now.addingTimeInterval(-kOldDownloadSeconds);
    for (const auto& name : engine.fileSystem().contentsOfDirectory(downloads).value_or(std::vector<std::string>{})) {
        const auto path = downloads + "/" + name;
        const auto attributes = engine.fileSystem().attributes(path);
        if (!attributes || attributes->type == platform::FileType::symbolicLink ||
            !(attributes->modificationDate < cutoff)) {
            continue;
        }
        // A folder's own size says nothing of what it holds: folders are measured.
        // A download is old junk by its logical size; it frees what it holds on disk.
        const auto listedSize = attributes->isDirectory() ? engine.cachedSize(path) : attributes->size;
        if (listedSize <= kDownloadThreshold) continue;
        const auto size = attributes->isDirectory() ? listedSize : CleanerEngine::fileBytes(*attributes);
        const auto dateText = engine.scanDateFormatter().format(attributes->modificationDate);
        auto item = newScanItem(name, path, CategoryType::trash, N_("Old Downloads"), size);
        item.warningMessage = platform::localizedFormat("Last modified %@", {dateText});
        item.friendlyName = name;
        item.friendlyDescription = platform::localizedFormat("Large file in Downloads, last opened %@", {dateText});
        item.safetyLevel = SafetyLevel::review;
        items.push_back(std::move(item));
    }
    return items;
}

void registerCacheAndTrashScanners(CleanerEngine& engine, const platform::HostTable& table,
                                   const platform::Clock& clock) {
    engine.setScanner(ScannerID::appCaches, [table](CleanerEngine& e) { return scanAppCaches(e, table); });
    engine.setScanner(ScannerID::systemCaches, [table](CleanerEngine& e) { return scanSystemCaches(e, table); });
    engine.setScanner(ScannerID::trashAndDownloads,
                      [table, &clock](CleanerEngine& e) { return scanTrashAndDownloads(e, table, clock.now()); });
}

}  // namespace zentrel::engine
