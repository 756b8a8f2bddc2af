#pragma once
// The twelve scan categories, in the order the system walks and stores them,
// with their display tables. A category is stored as its raw-value text.

#include "model/NamedColor.hpp"

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
    {CategoryType::xcode, "Xcode", "Xcode Leftovers", "hammer.fill", NamedColor::blue},
    {CategoryType::devTools, "Dev Tools", "Developer Caches", "terminal.fill", NamedColor::purple},
    {CategoryType::devProjects, "Dev Projects", "Project Dependencies", "shippingbox.fill", NamedColor::green},
    {CategoryType::appCaches, "App Caches", "App Junk", "app.badge.fill", NamedColor::orange},
    {CategoryType::systemCaches, "System Caches", "System Junk", "memorychip.fill", NamedColor::teal},
    {CategoryType::trash, "Trash & Downloads", "Trash & Old Files", "trash.fill", NamedColor::red},
    {CategoryType::largeFiles, "Large Files", "Large Files", "doc.fill", NamedColor::pink},
    {CategoryType::iosBackups, "iOS Backups", "iPhone/iPad Backups", "iphone", NamedColor::indigo},
    {CategoryType::duplicates, "Duplicates", "Duplicate Files", "doc.on.doc.fill", NamedColor::cyan},
    {CategoryType::privacy, "Privacy", "Privacy Data", "eye.slash.fill", NamedColor::brown},
    {CategoryType::startup, "Startup Items", "Startup Items", "power", NamedColor::mint},
    {CategoryType::icloud, "iCloud", "iCloud Downloads", "icloud.fill", NamedColor::blue},
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
