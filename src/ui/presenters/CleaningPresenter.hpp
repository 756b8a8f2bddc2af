#pragma once
// What the pages of a clean show: the running clean with its count, current
// item, failures and activity rows; the cleaned page and its Done; the error
// page and its Try Again.

#include "model/CleaningProgress.hpp"
#include "viewmodels/ScanViewModel.hpp"

#include <cstdint>
#include <optional>
#include <string>

namespace zentrel::ui {

struct CleaningCurrentItem {
    std::string label;
    std::string name;
    std::string category;

    bool operator==(const CleaningCurrentItem&) const = default;
};

struct CleaningSummary {
    std::string title;
    std::optional<std::string> countLine;  // "3 of 12 items"
    double progress = 0.0;                 // 0 to 1
    std::optional<CleaningCurrentItem> current;
    std::optional<std::string> failureLine;

    bool operator==(const CleaningSummary&) const = default;
};

// The colour of an activity row's name.
enum class ActivityTone { secondary, primary, danger };

struct ActivityRow {
    model::CleaningActivityEntry::Status::Kind status = model::CleaningActivityEntry::Status::Kind::pending;
    std::string symbol;  // empty: a spinner
    std::string name;
    ActivityTone nameTone = ActivityTone::secondary;
    std::string category;
    std::optional<std::string> message;
    std::string size;
    std::string accessibleLabel;

    bool operator==(const ActivityRow&) const = default;
};

struct CleanedPageContent {
    std::string title;
    std::string freedText;
    std::optional<std::string> leftText;  // what is still found where it cleaned
    std::string accessibleLabel;
    std::string buttonTitle;
    std::string buttonHint;
};

struct ErrorPageContent {
    std::string title;
    std::string message;
    std::string buttonTitle;
    std::string buttonHint;
};

// The current item is the last in-progress row; the count counts the rows
// that are deleted or failed.
[[nodiscard]] CleaningSummary cleaningSummary(const viewmodels::ScanViewModel& viewModel);
[[nodiscard]] ActivityRow activityRow(const model::CleaningActivityEntry& entry, model::ViewMode mode);

// "All Clean!" only when nothing is left where it cleaned; otherwise
// "Cleaned" and what is left.
[[nodiscard]] CleanedPageContent cleanedPage(std::int64_t freedBytes, std::int64_t leftBytes,
                                                    std::int64_t trackerCookies = 0);
// Done: back to the results, only while the state is still cleaned.
void finishCleaned(viewmodels::ScanViewModel& viewModel);

[[nodiscard]] ErrorPageContent errorPage(const std::string& message);
// Try Again: a category page scans its category afresh; any other page
// clears the failures and runs a full scan.
void tryAgain(viewmodels::ScanViewModel& viewModel);

}  // namespace zentrel::ui
