#pragma once
// Which category rows the sidebar lists under its "Clean" and "Optimize"
// headers, in their order: only the categories this desktop has a place for.

#include "model/CategoryType.hpp"
#include "viewmodels/ScanViewModel.hpp"

#include <vector>

namespace zentrel::ui {

[[nodiscard]] std::vector<model::CategoryType> sidebarCleanCategories(const viewmodels::ScanViewModel& viewModel);
[[nodiscard]] std::vector<model::CategoryType> sidebarOptimizeCategories(const viewmodels::ScanViewModel& viewModel);

}  // namespace zentrel::ui
