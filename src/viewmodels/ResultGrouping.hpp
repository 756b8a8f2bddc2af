#pragma once
// Read-only views of a scan's items for the screens: the duplicate groups,
// the privacy groups and the plain-text report the user can export.

#include "model/CategoryTitle.hpp"
#include "model/CleanItem.hpp"
#include "model/DuplicateGroup.hpp"
#include "model/PrivacyGroup.hpp"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zentrel::viewmodels {

// The name the report is saved under unless the user picks another.
inline constexpr std::string_view kReportFileName = "Zentrel-Report.txt";
inline constexpr std::string_view kProductAddress = "https://torvane.com/zentrel";

// Groups of two or more duplicates, the most reclaimable first.
[[nodiscard]] std::vector<model::DuplicateGroup> duplicateGroups(const std::vector<model::CleanItem>& items);
// Privacy groups, the largest first.
[[nodiscard]] std::vector<model::PrivacyGroup> privacyGroups(const std::vector<model::CleanItem>& items);
// A category the report knows only from the stored figures of the last scan.
struct LastScanFigures {
    std::int64_t bytes = 0;
    std::optional<std::int64_t> itemCount;
    std::optional<std::string> dateText;  // when the category was scanned
};

// The report of every item found but the duplicates' keepers, and of the
// categories in `lastScan` by their figures alone; lines joined by "\n"
// without a final one; `dateText` is the date and time of the report as
// the user's locale writes it; categories carry their names of `mode`;
// `duplicatesNote`, when given, stands under the Duplicates figure (the
// walk stopped early); item names and paths are written as `shownName`
// gives them (as they are when it is empty).
using ShownName = std::function<std::string(std::string_view)>;
[[nodiscard]] std::string scanReport(const std::vector<model::CleanItem>& items, const std::string& dateText,
                                     model::ViewMode mode = model::ViewMode::advanced,
                                     const std::optional<std::string>& duplicatesNote = std::nullopt,
                                     const std::map<model::CategoryType, LastScanFigures>& lastScan = {},
                                     const ShownName& shownName = {});

}  // namespace zentrel::viewmodels
