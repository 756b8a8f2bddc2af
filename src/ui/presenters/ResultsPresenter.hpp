#pragma once
// What the results page of a scanned category shows: the duplicates or the
// privacy page for those two categories, an empty state, or the friendly or
// technical list (by the "viewMode" setting) of the shown items grouped by
// subcategory.

#include "model/CleanItem.hpp"
#include "platform/text/Localization.hpp"
#include "viewmodels/ScanViewModel.hpp"

#include <optional>
#include <string>
#include <vector>

namespace zentrel::ui {

enum class ResultsKind { duplicates, privacy, empty, recommended, advanced };

struct ResultGroup {
    std::optional<std::string> title;
    std::vector<model::CleanItem> items;
};

struct ResultsContent {
    ResultsKind kind = ResultsKind::empty;
    std::string emptyTitle;
    std::string emptyMessage;
    // The item count and the two selection buttons, on a category page only.
    std::optional<std::string> headerText;
    std::string selectAllTitle;
    std::string deselectAllTitle;
    std::vector<ResultGroup> groups;
};

[[nodiscard]] ResultsContent resultsContent(const viewmodels::ScanViewModel& viewModel);
// The items by subcategory, keys in ascending byte order, each keeping the
// items' order; a lone N_("Large Files") group has no title.
[[nodiscard]] std::vector<ResultGroup> groupedBySubcategory(const std::vector<model::CleanItem>& items);

// Select All selects the items the page shows (the friendly list hides the
// items to review, and they stay as they are); Deselect All deselects the
// page's whole category. Other categories are never touched.
void selectAllShown(viewmodels::ScanViewModel& viewModel);
void deselectAllShown(viewmodels::ScanViewModel& viewModel);

}  // namespace zentrel::ui
