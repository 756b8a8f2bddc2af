#include "ui/presenters/MenuBarPresenter.hpp"

#include "model/CleaningRecord.hpp"
#include "platform/text/ByteCountFormatter.hpp"
#include "platform/text/Localization.hpp"
#include "platform/text/RelativeDateFormatter.hpp"

#include <algorithm>

namespace zentrel::ui {
namespace {

std::string fileSize(std::int64_t bytes) { return platform::formatByteCount(bytes, platform::ByteCountStyle::file); }

}  // namespace

DiskUsageHeaderContent diskUsageHeader(const std::optional<DiskInfo>& disk) {
    const auto info = disk.value_or(DiskInfo{});
    const auto used = fileSize(info.totalBytes - info.freeBytes);
    const auto total = fileSize(info.totalBytes);
    return {
        platform::localizedFormat("%@ free", {fileSize(info.freeBytes)}),
        platform::localizedFormat("%@ used", {used}),
        platform::localizedFormat("%@ total", {total}),
        platform::localizedFormat("Disk %@ used of %@ total", {used, total}),
        info.usedFraction(),
        info.usageColor(),
    };
}

std::vector<CategorySize> popoverTopCategories(const viewmodels::ScanViewModel& vm) {
    std::vector<CategorySize> sizes;
    for (const auto category : vm.categories()) {
        const auto bytes = vm.categoryFigures(category).bytes;
        if (bytes >= 1) sizes.push_back({category, bytes});
    }
    std::stable_sort(sizes.begin(), sizes.end(), [](const auto& a, const auto& b) { return a.bytes > b.bytes; });
    if (sizes.size() > kPopoverCategories) sizes.resize(kPopoverCategories);
    return sizes;
}

std::vector<CategoryRowContent> popoverCategoryRows(const viewmodels::ScanViewModel& vm) {
    std::vector<CategoryRowContent> rows;
    for (const auto& entry : popoverTopCategories(vm)) {
        const auto title = vm.categoryTitle(entry.category);
        rows.push_back({entry.category, title, fileSize(entry.bytes),
                        platform::localizedFormat("Opens %@ in the main window.", {title})});
    }
    return rows;
}

std::optional<LastActivity> lastActivity(const model::UserPreferences& prefs, platform::Date now,
                                         const std::string& language, std::optional<std::int64_t> found) {
    if (const auto latest = model::latestCleaning(prefs.cleaningHistory()); latest && latest->freedBytes > 0) {
        const auto freed = fileSize(latest->freedBytes);
        if (platform::isJustNow(latest->date, now))
            return LastActivity{platform::localizedFormat("Cleaned %@ just now", {freed}), true};
        return LastActivity{platform::localizedFormat("Cleaned %@ \u00B7 %@",
                                                      {freed, platform::formatRelativeFull(latest->date, now, language)}),
                            true};
    }
    if (auto summary = prefs.lastScanSummary(found)) return LastActivity{std::move(*summary), false};
    return std::nullopt;
}

std::vector<MenuBarButtonContent> menuBarButtons(const viewmodels::ScanViewModel& vm) {
    using A = MenuBarAction;
    using T = MenuBarTint;
    std::vector<MenuBarButtonContent> buttons{
        {A::scanNow, platform::localized("Scan Now"), "magnifyingglass", T::accent,
         platform::localized("Starts a full scan of your Mac.")},
    };
    if (vm.hasCleanableData()) {
        buttons.push_back({A::quickClean,
                           platform::localizedFormat("Quick Clean (%@)", {fileSize(vm.safeCleanableBytes())}),
                           "bolt.fill", T::health, platform::localized("Cleans only items marked safe to delete.")});
    }
    buttons.insert(buttons.end(), {
        {A::calmDown, platform::localized("Calm Down Hot Apps"), "leaf.fill", T::health,
         platform::localized("Quits up to three heavy background apps draining battery.")},
        {A::boost, platform::localized("Boost"), "bolt.fill", T::review,
         platform::localized("Frees RAM and CPU by quitting heavy apps you choose.")},
        {A::uninstall, platform::localized("Uninstall Apps"), "trash.square.fill", T::danger,
         platform::localized("Removes an app and all of its leftover files.")},
        {A::openZentrel, platform::localized("Open Zentrel"), "macwindow", T::secondary, {}},
        {A::quit, platform::localized("Quit"), "power", T::secondary, platform::localized("Quits Zentrel.")},
    });
    return buttons;
}

}  // namespace zentrel::ui
