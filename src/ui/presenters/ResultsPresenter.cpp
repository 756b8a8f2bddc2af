#include "ui/presenters/ResultsPresenter.hpp"

#include "platform/text/Localization.hpp"
#include "platform/text/NumberFormatter.hpp"

#include <algorithm>
#include <map>

namespace zentrel::ui {

using model::CategoryType;

std::vector<ResultGroup> groupedBySubcategory(const std::vector<model::CleanItem>& items) {
    std::map<std::string, std::vector<model::CleanItem>> byKey;
    for (const auto& item : items) byKey[item.subcategory].push_back(item);
    std::vector<ResultGroup> groups;
    for (auto& [key, members] : byKey) groups.push_back({key, std::move(members)});
    if (groups.size() == 1 && groups.front().title == N_("Large Files")) groups.front().title.reset();
    for (auto& group : groups) {
        if (group.title) group.title = platform::localized(*group.title);
    }
    return groups;
}

ResultsContent resultsContent(const viewmodels::ScanViewModel& vm) {
    ResultsContent content;
    const auto category = vm.sidebarSelection().category();
    if (category == CategoryType::duplicates) {
        content.kind = ResultsKind::duplicates;
        return content;
    }
    if (category == CategoryType::privacy) {
        content.kind = ResultsKind::privacy;
        return content;
    }
    const bool advanced = vm.prefs().viewMode() == model::ViewMode::advanced;
    const auto items = vm.displayedItems();
    if (items.empty()) {
        // Only a category scanned and found empty looks clean; the friendly
        // list may hide items the advanced one shows.
        const bool hidden = std::ranges::any_of(vm.result().items, [&](const model::CleanItem& item) {
            return !category || item.category == *category;
        });
        content.kind = ResultsKind::empty;
        content.emptyTitle = platform::localized("Nothing to clean here");
        content.emptyMessage = platform::localized(hidden ? "Switch to Advanced view to see everything."
                                                          : N_("This category looks clean."));
        return content;
    }
    content.kind = advanced ? ResultsKind::advanced : ResultsKind::recommended;
    if (category) {
        content.headerText = platform::localizedFormat(N_COUNTED("%lld items"), {platform::formatCount(items.size())});
        content.selectAllTitle = platform::localized("Select All");
        content.deselectAllTitle = platform::localized("Deselect All");
    }
    content.groups = groupedBySubcategory(items);
    return content;
}

void selectAllShown(viewmodels::ScanViewModel& vm) {
    const auto category = vm.sidebarSelection().category();
    if (!category) return;
    // The shown items join the selection; items the friendly list hides stay as they are.
    std::set<platform::Uuid> selected;
    for (const auto& item : vm.result().items)
        if (item.category == *category && item.isSelected) selected.insert(item.id);
    for (const auto& item : vm.displayedItems()) selected.insert(item.id);
    vm.selectOnly(selected, category);
}

void deselectAllShown(viewmodels::ScanViewModel& vm) {
    if (const auto category = vm.sidebarSelection().category()) vm.deselectAll(*category);
}

}  // namespace zentrel::ui
