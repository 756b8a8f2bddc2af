#pragma once
// Where the main window is: a page, or one scan category.

#include "model/CategoryType.hpp"

#include <functional>
#include <optional>

namespace zentrel::model {

class SidebarSelection {
public:
    enum class Page { overview, category, smartCleanup, boost, uninstall, features, settings };

    [[nodiscard]] static SidebarSelection overview() { return SidebarSelection(Page::overview); }
    [[nodiscard]] static SidebarSelection category(CategoryType category) {
        SidebarSelection selection(Page::category);
        selection.category_ = category;
        return selection;
    }
    [[nodiscard]] static SidebarSelection smartCleanup() { return SidebarSelection(Page::smartCleanup); }
    [[nodiscard]] static SidebarSelection boost() { return SidebarSelection(Page::boost); }
    [[nodiscard]] static SidebarSelection uninstall() { return SidebarSelection(Page::uninstall); }
    [[nodiscard]] static SidebarSelection features() { return SidebarSelection(Page::features); }
    [[nodiscard]] static SidebarSelection settings() { return SidebarSelection(Page::settings); }

    [[nodiscard]] Page page() const { return page_; }
    // The category of a category page; none for the other pages.
    [[nodiscard]] std::optional<CategoryType> category() const { return category_; }

    bool operator==(const SidebarSelection&) const = default;

private:
    explicit SidebarSelection(Page page) : page_(page) {}

    Page page_;
    std::optional<CategoryType> category_;
};

}  // namespace zentrel::model

template <>
struct std::hash<zentrel::model::SidebarSelection> {
    std::size_t operator()(const zentrel::model::SidebarSelection& selection) const noexcept {
        std::size_t hash = static_cast<std::size_t>(selection.page());
        if (auto category = selection.category())
            hash = hash * 31 + std::hash<std::string_view>{}(zentrel::model::rawValue(*category));
        return hash;
    }
};
