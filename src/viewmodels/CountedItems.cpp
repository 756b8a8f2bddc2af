#include "viewmodels/CountedItems.hpp"

#include <map>

namespace zentrel::viewmodels {

using model::CategoryType;

bool showsEveryItem(CategoryType category, model::ViewMode mode) {
    return mode == model::ViewMode::advanced || category == CategoryType::duplicates ||
           category == CategoryType::privacy;
}

bool countsIn(const model::CleanItem& item, model::ViewMode mode) {
    // A duplicate's keeper stays; what only an administrator can remove is listed, never cleaned.
    if (item.isDuplicateKeeper || item.isReadOnly) return false;
    return showsEveryItem(item.category, mode) || item.isSafeRecommendation();
}

void dropLoneDuplicates(std::vector<model::CleanItem>& items) {
    std::map<std::string, int> members;
    for (const auto& item : items)
        if (item.category == CategoryType::duplicates && item.duplicateGroupId) ++members[*item.duplicateGroupId];
    std::erase_if(items, [&](const model::CleanItem& item) {
        return item.category == CategoryType::duplicates && item.duplicateGroupId &&
               members[*item.duplicateGroupId] < 2;
    });
}

}  // namespace zentrel::viewmodels
