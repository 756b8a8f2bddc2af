#pragma once
// Which category rows the sidebar lists under its "Clean" and N_("Optimize")
// headers, in their order (only the categories this desktop has a place
// for), and the size each row shows.

#include "model/CategoryType.hpp"
#include "platform/text/Localization.hpp"
#include "viewmodels/ScanViewModel.hpp"

#include <optional>
#include <string>
#include <vector>

namespace zentrel::ui {

[[nodiscard]] std::vector<model::CategoryType> sidebarCleanCategories(const viewmodels::ScanViewModel& viewModel);
[[nodiscard]] std::vector<model::CategoryType> sidebarOptimizeCategories(const viewmodels::ScanViewModel& viewModel);
// The size a category row shows: the category's figure in the view mode, none below one byte.
[[nodiscard]] std::optional<std::string> sidebarCategorySize(const viewmodels::ScanViewModel& viewModel,
                                                             model::CategoryType category);

}  // namespace zentrel::ui
