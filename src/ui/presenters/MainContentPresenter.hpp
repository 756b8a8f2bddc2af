#pragma once
// What the main window's detail pane shows and does, read from the scan view
// model: the page for the sidebar selection and scan state, the title, the
// toolbar, the clean confirmation, the clean-failure alert. The pane's
// widgets draw these and call back here; nothing in this file knows Qt.

#include "model/CategoryType.hpp"
#include "model/CleaningProgress.hpp"
#include "platform/text/Localization.hpp"
#include "platform/text/Uuid.hpp"
#include "viewmodels/ScanViewModel.hpp"

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace zentrel::ui {

struct DetailRoute {
    enum class Kind {
        settings,
        features,
        smartCleanup,
        boost,
        uninstall,
        scanning,
        cleaning,
        overview,
        results,
        categoryWaiting,
        cleaned,
        error,
        categoryPrompt,
    };
    Kind kind = Kind::overview;
    std::int64_t freedBytes = 0;                  // cleaned
    std::int64_t leftBytes = 0;                   // cleaned: what is still found where it cleaned
    std::string message;                          // error
    std::optional<model::CategoryType> category;  // categoryPrompt, results, categoryWaiting
    std::int64_t trackerCookies = 0;              // cleaned: removed, counted as they free no space

    bool operator==(const DetailRoute&) const = default;
};

// The first of the pane's rules that holds: tool and settings pages win over
// every scan state; the scanning page shows only on the overview; cleaning
// and error replace the overview and every category page; the result of a
// clean shows only on the page that cleaned (the overview for a clean across
// every category), the other pages show their own content.
[[nodiscard]] DetailRoute detailRoute(const viewmodels::ScanViewModel& viewModel);
// The result of a clean that is shown on the selected page, if any.
[[nodiscard]] const model::scan_state::Cleaned* shownCleanResult(const viewmodels::ScanViewModel& viewModel);
[[nodiscard]] std::string navigationTitle(const viewmodels::ScanViewModel& viewModel);

enum class ToolbarAction { cancelScan, scanCategory, fullScan, exportReport, clean };

struct ToolbarItem {
    ToolbarAction action;
    std::string title;
    std::string symbol;  // empty: a text button
    std::string hint;
    bool enabled = true;
    bool destructive = false;

    bool operator==(const ToolbarItem&) const = default;
};

// Only what acts on the page shown: the tool and settings pages have none.
[[nodiscard]] std::vector<ToolbarItem> toolbarItems(const viewmodels::ScanViewModel& viewModel);
// The toolbar's scan actions; export and clean open their dialogs in the pane.
void performScanAction(ToolbarAction action, viewmodels::ScanViewModel& viewModel);
// "Full Scan": a fresh result of every category the window scans.
void startFullScan(viewmodels::ScanViewModel& viewModel);

// The clean confirmation, fixed when it opens: the delete button cleans
// exactly the items its title counted, whatever changed meanwhile.
struct CleanConfirmation {
    std::string title;
    std::string message;
    std::string deleteLabel;
    std::optional<model::CategoryType> category;
    std::set<platform::Uuid> itemIds;
    std::int64_t bytes = 0;
    // The first few shown names, and how many more there are.
    std::vector<std::string> firstNames;
    std::int64_t moreCount = 0;
    bool canBeUndone = false;
};

// The confirmation of the selection in the page's scope.
[[nodiscard]] CleanConfirmation cleanConfirmation(const viewmodels::ScanViewModel& viewModel);
// The confirmation of cleaning `items`, of one category or of any.
[[nodiscard]] CleanConfirmation cleanConfirmation(const viewmodels::ScanViewModel& viewModel,
                                                  const std::vector<model::CleanItem>& items,
                                                  std::optional<model::CategoryType> category);
// Names the items of a confirmation: each label once (with its count when
// several items share it) and their size, the largest first, at most `limit`
// labels; the items no shown label covers are counted in moreCount.
void nameConfirmedItems(CleanConfirmation& confirmation, const std::vector<model::CleanItem>& items, std::size_t limit);
// Cleans the confirmed items; false (and nothing cleaned) when they are no
// longer in the result or no longer selected as they were.
bool confirmClean(viewmodels::ScanViewModel& viewModel, const CleanConfirmation& confirmation);

inline constexpr const char* kCleanFailureAlertTitle = N_("Some items could not be deleted");
// What a clean that left items behind says: what it freed, then what stayed.
[[nodiscard]] std::string cleanFailureMessage(const std::vector<model::CleanFailureInfo>& failures,
                                              std::int64_t freedBytes);

}  // namespace zentrel::ui
