#pragma once
// The smart cleanup plan's texts. The count line: "3 safe items across 1
// category"; each number takes the plural form of its own noun, so the
// sentence is put together from two counted texts.

#include "viewmodels/SmartCleanupPlan.hpp"

#include <string>

namespace zentrel::ui {

[[nodiscard]] std::string safeItemsAcrossCategories(long long items, long long categories);
// A category row's figure: its size, or the tracker cookies it removes when they are all it holds.
[[nodiscard]] std::string planCategoryFigure(const viewmodels::SmartCleanupPlan::CategorySummary& summary);

}  // namespace zentrel::ui
