#pragma once
// The twelve scan categories, in the order the system walks and stores them,
// with their display tables. A category is stored as its raw-value text.

#include "model/NamedColor.hpp"
#include "platform/text/Localization.hpp"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace zentrel::model {

enum class CategoryType {
    xcode,
    devTools,
    devProjects,
    appCaches,
    systemCaches,
    trash,
    largeFiles,
    iosBackups,
    duplicates,
    privacy,
    startup,
    icloud,
};

struct CategoryInfo {
    CategoryType category;
    std::string_view rawValue;  // also the id, the stored form and the title's localization key
    std::string_view friendlyName;
    std::string_view icon;
    NamedColor color;
};

inline constexpr std::array<CategoryInfo, 12> kCategories = {{
    {CategoryType::xcode, N_("Xcode"), N_("Xcode Leftovers"), "hammer.fill", NamedColor::blue},
    {CategoryType::devTools, N_("Dev Tools"), N_("Developer Caches"), "terminal.fill", NamedColor::purple},
    {CategoryType::devProjects, N_("Dev Projects"), N_("Project Dependencies"), "shippingbox.fill", NamedColor::green},
    {CategoryType::appCaches, N_("App Caches"), N_("App Junk"), "app.badge.fill", NamedColor::orange},
    {CategoryType::systemCaches, N_("System Caches"), N_("System Junk"), "memorychip.fill", NamedColor::teal},
    {CategoryType::trash, N_("Trash & Downloads"), N_("Trash & Old Files"), "trash.fill", NamedColor::red},
    {CategoryType::largeFiles, N_("Large Files"), N_("Large Files"), "doc.fill", NamedColor::pink},
    {CategoryType::iosBackups, N_("iOS Backups"), N_("iPhone/iPad Backups"), "iphone", NamedColor::indigo},
    {CategoryType::duplicates, N_("Duplicates"), N_("Duplicate Files"), "doc.on.doc.fill", NamedColor::cyan},
    {CategoryType::privacy, N_("Privacy"), N_("Privacy Data"), "eye.slash.fill", NamedColor::brown},
    {CategoryType::startup, N_("Startup Items"), N_("Startup Items"), "power", NamedColor::mint},
    {CategoryType::icloud, N_("iCloud"), N_("iCloud Downloads"), "icloud.fill", NamedColor::blue},
}};

inline constexpr std::array<CategoryType, 12> kAllCategories = [] {
    std::array<CategoryType, 12> all{};
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = kCategories[i].category;
    return all;
}();

[[nodiscard]] constexpr const CategoryInfo& info(CategoryType category) {
    return kCategories[static_cast<std::size_t>(category)];
}
[[nodiscard]] constexpr std::string_view rawValue(CategoryType category) { return info(category).rawValue; }
[[nodiscard]] constexpr std::string_view friendlyName(CategoryType category) { return info(category).friendlyName; }
[[nodiscard]] constexpr std::string_view icon(CategoryType category) { return info(category).icon; }
[[nodiscard]] constexpr NamedColor color(CategoryType category) { return info(category).color; }
// Exact, case-sensitive match against the twelve raw values.
[[nodiscard]] constexpr std::optional<CategoryType> categoryFromRaw(std::string_view raw) {
    for (const auto& entry : kCategories)
        if (entry.rawValue == raw) return entry.category;
    return std::nullopt;
}
// The title in the current language; the raw value where there is no translation.
[[nodiscard]] std::string displayName(CategoryType category);

}  // namespace zentrel::model
