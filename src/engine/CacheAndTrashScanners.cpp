#include "engine/CacheAndTrashScanners.hpp"

#include "engine/ScanItem.hpp"

#include <algorithm>
#include <array>

namespace zentrel::engine {

namespace {

using model::CategoryType;
using model::SafetyLevel;

struct AppCacheRow {
    bool underSupport;  // under "Library/Application Support", else directly under home
    const char* path;
    const char* name;
    const char* application;
};

constexpr AppCacheRow kAppCaches[] = {
    {true, "/Cursor/logs", "Cursor Logs", "Cursor"},
    {true, "/Cursor/CachedData", "Cursor Cached Data", "Cursor"},
    {true, "/Code/logs", "VS Code Logs", "VS Code"},
    {true, "/Code/CachedData", "VS Code Cached Data", "VS Code"},
    {false, "/Library/Caches/Google/Chrome", "Chrome Cache", "Chrome"},
    {false, "/Library/Caches/com.google.Chrome", "Chrome Cache 2", "Chrome"},
    {false, "/Library/Caches/com.apple.Safari", "Safari Cache", "Safari"},
    {false, "/Library/Caches/com.brave.Browser", "Brave Cache", "Brave"},
    {false, "/Library/Caches/com.microsoft.VSCode", "VS Code Cache", "VS Code"},
    {true, "/Slack/Cache", "Slack Cache", "Slack"},
    {true, "/Slack/logs", "Slack Logs", "Slack"},
    {true, "/discord/Cache", "Discord Cache", "Discord"},
    {true, "/Figma/logs", "Figma Logs", "Figma"},
};

// Caches the app-cache table already covers.
constexpr std::array<std::string_view, 5> kSystemCacheSkipPrefixes = {
    "Google", "com.google.Chrome", "com.apple.Safari", "com.brave.Browser", "com.microsoft.VSCode"};

constexpr std::int64_t kSystemCacheThreshold = 10'000'000;   // an entry must be larger
constexpr std::int64_t kDownloadThreshold = 100'000'000;     // likewise
constexpr double kOldDownloadSeconds = 2'592'000;

}  // namespace

CleanerEngine::Items scanAppCaches(CleanerEngine& engine, const std::string& home) {
    const auto support = home + "/Library/Application Support";
    CleanerEngine::Items items;
    for (const auto& row : kAppCaches) {
        const auto path = (row.underSupport ? support : home) + row.path;
        const auto size = engine.cachedSize(path);
        if (size <= 0) continue;
        const std::string application = row.application;
        auto item = newScanItem(row.name, path, CategoryType::appCaches, application, size);
        item.isSelected = item.isSafe = item.isRecommended = true;
        item.friendlyName = application + " junk";
        item.friendlyDescription = "Old saved data from " + application + " that's no longer needed";
        item.safetyLevel = SafetyLevel::safe;
        items.push_back(std::move(item));
    }
    return items;
}

CleanerEngine::Items scanSystemCaches(CleanerEngine& engine, const std::string& home) {
    const auto folder = home + "/Library/Caches";
    CleanerEngine::Items items;
    for (const auto& name : engine.fileSystem().contentsOfDirectory(folder).value_or(std::vector<std::string>{})) {
        if (std::any_of(kSystemCacheSkipPrefixes.begin(), kSystemCacheSkipPrefixes.end(),
                        [&](auto prefix) { return name.starts_with(prefix); })) {
            continue;
        }
        const auto path = folder + "/" + name;
        if (engine.isSymbolicLink(path)) continue;
        const auto size = engine.cachedSize(path);
        if (size <= kSystemCacheThreshold) continue;
        auto item = newScanItem(name, path, CategoryType::systemCaches, "User Caches", size);
        item.isSafe = true;
        item.friendlyName = "System junk";
        item.friendlyDescription = "Temporary data macOS saved \u2014 safe to clear";
        item.safetyLevel = SafetyLevel::safe;
        items.push_back(std::move(item));
    }
    const auto logs = home + "/Library/Logs";
    if (const auto size = engine.cachedSize(logs); size > 0) {
        auto item = newScanItem("User Logs", logs, CategoryType::systemCaches, "User Logs", size);
        item.isSelected = item.isSafe = item.isRecommended = true;
        item.deletionMethod = model::DeletionMethod::clearDirectoryContents();
        item.friendlyName = "App logs";
        item.friendlyDescription = "Application activity logs \u2014 safe to delete";
        item.safetyLevel = SafetyLevel::safe;
        items.push_back(std::move(item));
    }
    return items;
}

CleanerEngine::Items scanTrashAndDownloads(CleanerEngine& engine, const std::string& home, platform::Date now) {
    CleanerEngine::Items items;
    const auto trash = home + "/.Trash";
    if (const auto size = engine.cachedSize(trash); size >= 1) {
        auto item = newScanItem("Trash", trash, CategoryType::trash, "Trash", size);
        item.isSelected = item.isSafe = item.isRecommended = true;
        item.warningMessage = "Permanently deletes all Trash contents";
        item.deletionMethod = model::DeletionMethod::emptyTrash();
        item.friendlyName = "Trash";
        item.friendlyDescription = "Everything in your Trash \u2014 permanently deleted";
        item.safetyLevel = SafetyLevel::safe;
        items.push_back(std::move(item));
    }

    const auto downloads = home + "/Downloads";
    const auto cutoff = now.addingTimeInterval(-kOldDownloadSeconds);
    for (const auto& name : engine.fileSystem().contentsOfDirectory(downloads).value_or(std::vector<std::string>{})) {
        const auto path = downloads + "/" + name;
        const auto attributes = engine.fileSystem().attributes(path);
        if (!attributes || attributes->type == platform::FileType::symbolicLink ||
            !(attributes->modificationDate < cutoff)) {
            continue;
        }
        // A folder's own size says nothing of what it holds: folders are measured.
        const auto size = !attributes->isDirectory() && attributes->size > 0 ? attributes->size : engine.cachedSize(path);
        if (size <= kDownloadThreshold) continue;
        const auto dateText = engine.scanDateFormatter().format(attributes->modificationDate);
        auto item = newScanItem(name, path, CategoryType::trash, "Old Downloads", size);
        item.warningMessage = "Last modified " + dateText;
        item.friendlyName = name;
        item.friendlyDescription = "Large file in Downloads, last opened " + dateText;
        item.safetyLevel = SafetyLevel::review;
        items.push_back(std::move(item));
    }
    return items;
}

void registerCacheAndTrashScanners(CleanerEngine& engine, std::string home, const platform::Clock& clock) {
    engine.setScanner(ScannerID::appCaches, [home](CleanerEngine& e) { return scanAppCaches(e, home); });
    engine.setScanner(ScannerID::systemCaches, [home](CleanerEngine& e) { return scanSystemCaches(e, home); });
    engine.setScanner(ScannerID::trashAndDownloads,
                      [home, &clock](CleanerEngine& e) { return scanTrashAndDownloads(e, home, clock.now()); });
}

}  // namespace zentrel::engine
