#pragma once
// Which items a category's figures count, so that the sidebar, the overview,
// the popover and the category page agree. The duplicates and privacy pages
// show every group whatever the view mode, and a duplicate group's keeper is
// never a thing to clean, nor is an item only an administrator can remove
// (listed apart, read-only); the other pages show everything in the advanced
// mode and only the safe recommendations in the recommended one.

#include "model/CleanItem.hpp"
#include "model/UserPreferences.hpp"

#include <vector>

namespace zentrel::viewmodels {

// The category's page shows all of its items in `mode`.
[[nodiscard]] bool showsEveryItem(model::CategoryType category, model::ViewMode mode);
[[nodiscard]] bool countsIn(const model::CleanItem& item, model::ViewMode mode);
// Removes the duplicates left without a copy to compare with (a group whose
// other members were cleaned): they are no longer duplicates of anything.
void dropLoneDuplicates(std::vector<model::CleanItem>& items);

}  // namespace zentrel::viewmodels
