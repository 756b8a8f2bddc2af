#pragma once
// What the pages around a scan show: the invitation to scan one category,
// the waiting page of a category a running scan will fill, and the progress
// of a full scan.

#include "model/CategoryType.hpp"
#include "viewmodels/ScanViewModel.hpp"

#include <string>

namespace zentrel::ui {

struct CategoryScanPromptContent {
    std::string title;
    // What the last scan found there, when only its stored figures are known
    // ("1.9 GB · 12 items"); empty otherwise.
    std::string lastScanFigures;
    std::string message;
    std::string symbol;
    model::NamedColor color = model::NamedColor::blue;
    std::string buttonTitle;
    std::string buttonSymbol;
    std::string buttonHint;

    bool operator==(const CategoryScanPromptContent&) const = default;
};

struct ScanProgress {
    double progress = 0.0;  // 0 to 1
    std::string message;

    bool operator==(const ScanProgress&) const = default;
};

// The invitation to scan; for a category known only from the last scan's
// figures, those figures and their date, in the medium style of `language`
// and `timeZone` (empty: local).
[[nodiscard]] CategoryScanPromptContent categoryScanPrompt(const viewmodels::ScanViewModel& viewModel,
                                                           model::CategoryType category, const std::string& language,
                                                           const std::string& timeZone = {});
// Scans the category afresh, dropping its earlier items.
void scanCategoryFromPrompt(viewmodels::ScanViewModel& viewModel, model::CategoryType category);

// The scan's message when it has one, else the scanning text of the category
// being scanned, else of the page's category, else "Scanning…".
[[nodiscard]] ScanProgress categoryWaitingProgress(const viewmodels::ScanViewModel& viewModel);
// The scan's progress and message; 0 and no text in any other state.
[[nodiscard]] ScanProgress scanningProgress(const viewmodels::ScanViewModel& viewModel);

}  // namespace zentrel::ui
