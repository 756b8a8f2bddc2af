#include "ui/presenters/SidebarPresenter.hpp"

#include "platform/text/ByteCountFormatter.hpp"

namespace zentrel::ui {
namespace {

using model::CategoryType;

constexpr CategoryType kCleanRows[] = {CategoryType::systemCaches, CategoryType::appCaches, CategoryType::trash,
                                       CategoryType::largeFiles,   CategoryType::devProjects, CategoryType::duplicates,
                                       CategoryType::iosBackups,   CategoryType::xcode,       CategoryType::devTools,
                                       CategoryType::icloud};
constexpr CategoryType kOptimizeRows[] = {CategoryType::startup, CategoryType::privacy};

template <std::size_t N>
std::vector<CategoryType> shown(const viewmodels::ScanViewModel& vm, const CategoryType (&rows)[N]) {
    std::vector<CategoryType> categories;
    for (auto category : rows)
        if (vm.showsCategory(category)) categories.push_back(category);
    return categories;
}

}  // namespace

std::vector<CategoryType> sidebarCleanCategories(const viewmodels::ScanViewModel& vm) { return shown(vm, kCleanRows); }

std::vector<CategoryType> sidebarOptimizeCategories(const viewmodels::ScanViewModel& vm) {
    return shown(vm, kOptimizeRows);
}

std::optional<std::string> sidebarCategorySize(const viewmodels::ScanViewModel& vm, CategoryType category) {
    const auto bytes = vm.categoryFigures(category).bytes;
    if (bytes < 1) return std::nullopt;
    return platform::formatByteCount(bytes, platform::ByteCountStyle::file);
}

}  // namespace zentrel::ui
