#pragma once
// What the overview dashboard shows: the banners of a background scan and of
// items that could not be deleted, the storage card with its one button, the
// largest categories of the last scan and the cleaning history.

#include "model/CategoryType.hpp"
#include "model/CleaningRecord.hpp"
#include "ui/presenters/DiskInfo.hpp"
#include "ui/presenters/MainContentPresenter.hpp"
#include "viewmodels/ScanViewModel.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zentrel::ui {

struct BackgroundScanBannerContent {
    double progress = 0.0;
    std::string label;
    std::optional<std::string> caption;

    bool operator==(const BackgroundScanBannerContent&) const = default;
};

struct CleanFailureBannerContent {
    std::string title;
    std::string detail;
    std::string buttonTitle;
    std::string buttonHint;

    bool operator==(const CleanFailureBannerContent&) const = default;
};

enum class HeroButton { none, fullScan, smartCleanup };

struct HeroCardContent {
    double ringFraction = 0.0;
    std::string ringLabel;
    std::string ringCaption;
    std::string totalText;  // empty without the volume's figures
    std::string freeText;   // the same
    UsageColor usageColor = UsageColor::accent;
    // The status line: the figure found (with the sparkles symbol), or an
    // invitation or the background scan's progress.
    bool showsFoundBytes = false;
    std::string statusText;
    HeroButton button = HeroButton::none;
    std::string buttonTitle;
    std::string buttonSymbol;
    std::string buttonHint;

    bool operator==(const HeroCardContent&) const = default;
};

// Said under the Duplicates figure when the walk stopped at its limit of
// files to compare: a short line with where, and the whole notice.
struct TileNotice {
    std::string line;
    std::string detail;

    bool operator==(const TileNotice&) const = default;
};

struct CategoryTile {
    model::CategoryType category = model::CategoryType::xcode;
    std::int64_t bytes = 0;
    std::int64_t count = 0;
    std::string label;
    std::string value;
    std::string caption;
    std::optional<TileNotice> notice;

    bool operator==(const CategoryTile&) const = default;
};

struct HistoryColumn {
    std::string sizeText;
    double barHeight = 0.0;  // points
    std::string dateText;
    std::string helpText;

    bool operator==(const HistoryColumn&) const = default;
};

struct CleaningHistoryContent {
    std::string title;
    std::string totalText;
    std::vector<HistoryColumn> columns;

    bool operator==(const CleaningHistoryContent&) const = default;
};

inline constexpr std::size_t kHistoryColumns = 8;
inline constexpr double kHistoryBarHeight = 120.0;
inline constexpr double kHistoryMinimumBarHeight = 8.0;

// None unless a background scan runs.
[[nodiscard]] std::optional<BackgroundScanBannerContent> backgroundScanBanner(const viewmodels::ScanViewModel& viewModel);
// None unless some items of the last clean could not be deleted.
[[nodiscard]] std::optional<CleanFailureBannerContent> cleanFailureBanner(const viewmodels::ScanViewModel& viewModel);
// `disk` none: the ring stands at 0 and the storage figures are empty.
[[nodiscard]] HeroCardContent heroCard(const viewmodels::ScanViewModel& viewModel, const std::optional<DiskInfo>& disk);
// The three largest categories by the figures of the view mode (after a
// restart, the stored ones); empty before the first scan.
[[nodiscard]] std::vector<CategoryTile> topCategories(const viewmodels::ScanViewModel& viewModel);
// None for an empty history. Dates are told relative to `now` in `language`
// ("just now" within a minute);
// the help texts give them in the medium style of `timeZone` (empty: local).
[[nodiscard]] std::optional<CleaningHistoryContent> cleaningHistory(const std::vector<model::CleaningRecord>& history,
                                                                    platform::Date now, const std::string& language,
                                                                    const std::string& timeZone = {});

enum class HeroOutcome { nothing, scanStarted, confirmClean };
// The hero's button. "Full Scan" scans. "Smart Cleanup" asks for the
// confirmation of the smart cleanup plan it names; on a plan restored from
// the last run (its items not in memory) it scans instead, since a
// confirmation would have nothing to clean.
HeroOutcome pressHeroButton(viewmodels::ScanViewModel& viewModel);
// The confirmation of exactly the smart cleanup plan's items, titled
// "Clean <size>?"; the selection changes only when it is confirmed.
[[nodiscard]] CleanConfirmation smartCleanupConfirmation(const viewmodels::ScanViewModel& viewModel);

}  // namespace zentrel::ui
