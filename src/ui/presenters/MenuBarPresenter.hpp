#pragma once
// What the tray popover shows, read afresh each time it opens: the disk
// header, the two largest categories, the last cleaning or scan, and its
// column of actions with the Quick Clean button only while there is
// something safe to clean.

#include "model/CategoryType.hpp"
#include "platform/text/Date.hpp"
#include "ui/presenters/DiskInfo.hpp"
#include "viewmodels/ScanViewModel.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zentrel::ui {

struct DiskUsageHeaderContent {
    std::string freeText;   // "%@ free"
    std::string usedText;   // "%@ used"
    std::string totalText;  // "%@ total"
    std::string accessibleLabel;
    double usedFraction = 0.0;
    UsageColor color = UsageColor::accent;

    bool operator==(const DiskUsageHeaderContent&) const = default;
};

struct CategorySize {
    model::CategoryType category = model::CategoryType::xcode;
    std::int64_t bytes = 0;

    bool operator==(const CategorySize&) const = default;
};

struct CategoryRowContent {
    model::CategoryType category = model::CategoryType::xcode;
    std::string title;
    std::string sizeText;
    std::string hint;

    bool operator==(const CategoryRowContent&) const = default;
};

struct LastActivity {
    std::string text;
    bool cleaned = false;  // a cleaning (drawn with the sparkles), else the scan summary

    bool operator==(const LastActivity&) const = default;
};

enum class MenuBarAction { scanNow, quickClean, calmDown, boost, uninstall, openZentrel, quit };

enum class MenuBarTint { accent, health, review, danger, secondary };

struct MenuBarButtonContent {
    MenuBarAction action = MenuBarAction::scanNow;
    std::string title;
    std::string symbol;
    MenuBarTint tint = MenuBarTint::accent;
    std::string hint;  // empty: no hint of its own

    bool operator==(const MenuBarButtonContent&) const = default;
};

inline constexpr std::size_t kPopoverCategories = 2;

// A volume that could not be read shows zero sizes and an empty bar.
[[nodiscard]] DiskUsageHeaderContent diskUsageHeader(const std::optional<DiskInfo>& disk);
// Categories of at least one byte by the figures the sidebar shows, largest
// first, equal sizes in category order, at most two.
[[nodiscard]] std::vector<CategorySize> popoverTopCategories(const viewmodels::ScanViewModel& viewModel);
[[nodiscard]] std::vector<CategoryRowContent> popoverCategoryRows(const viewmodels::ScanViewModel& viewModel);
// The latest cleaning when it freed something, told relative to `now`
// ("Cleaned 2 MB just now" within a minute); else the last scan's summary;
// else none. `found` is what the window says the scan found, in its view mode.
[[nodiscard]] std::optional<LastActivity> lastActivity(const model::UserPreferences& prefs, platform::Date now,
                                                       const std::string& language = "en",
                                                       std::optional<std::int64_t> found = std::nullopt);
// The buttons in their order; the second, "Quick Clean (<size>)", only with
// cleanable data. Actions between "Uninstall Apps" and "Open Zentrel" are
// set apart by a divider.
[[nodiscard]] std::vector<MenuBarButtonContent> menuBarButtons(const viewmodels::ScanViewModel& viewModel);

}  // namespace zentrel::ui
