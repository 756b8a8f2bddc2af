#include "ui/presenters/OverviewPresenter.hpp"

#include "engine/ScanDateFormatter.hpp"
#include "platform/text/ByteCountFormatter.hpp"
#include "platform/text/Localization.hpp"
#include "platform/text/NumberFormatter.hpp"
#include "platform/text/RelativeDateFormatter.hpp"
#include "viewmodels/DuplicateWalkNotice.hpp"

#include <algorithm>
#include <variant>

namespace zentrel::ui {
namespace {

namespace state = model::scan_state;

std::string fileSize(std::int64_t bytes) { return platform::formatByteCount(bytes, platform::ByteCountStyle::file); }

std::int64_t storedItemCount(const viewmodels::ScanViewModel& vm) {
    return vm.prefs().defaults().integer("lastScanItemCount");
}

bool scanDone(const viewmodels::ScanViewModel& vm) {
    const auto& scanState = vm.scanState();
    const bool finished = std::holds_alternative<state::Cleaned>(scanState) || std::holds_alternative<state::Done>(scanState);
    return finished && (!vm.result().items.empty() || storedItemCount(vm) > 0);
}

}  // namespace

std::optional<BackgroundScanBannerContent> backgroundScanBanner(const viewmodels::ScanViewModel& vm) {
    if (!vm.isBackgroundScanning()) return std::nullopt;
    BackgroundScanBannerContent banner{0.0, platform::localized("Scanning your Mac"), std::nullopt};
    if (const auto* scanning = std::get_if<state::Scanning>(&vm.scanState())) {
        banner.progress = scanning->progress;
        if (!scanning->message.empty()) banner.caption = scanning->message;
    }
    return banner;
}

std::optional<CleanFailureBannerContent> cleanFailureBanner(const viewmodels::ScanViewModel& vm) {
    const auto count = vm.failedDeletionKeys().size();
    if (count == 0) return std::nullopt;
    return CleanFailureBannerContent{
        platform::localizedFormat(N_COUNTED("%lld item(s) could not be deleted"), {platform::formatCount(count)}),
        platform::localized("Open the category in the sidebar to review failed items."),
        platform::localized("View"),
        platform::localized("Opens the category containing the first failed item."),
    };
}

HeroCardContent heroCard(const viewmodels::ScanViewModel& vm, const std::optional<DiskInfo>& disk) {
    HeroCardContent card;
    card.ringCaption = platform::localized("used");
    if (disk) {
        card.ringFraction = disk->usedFraction();
        card.totalText = platform::localizedFormat("of %@ total", {fileSize(disk->totalBytes)});
        card.freeText = fileSize(disk->freeBytes);
        card.usageColor = disk->usageColor();
    }
    card.ringLabel = platform::formatPercent(disk ? disk->usedPercent() : 0);

    const auto found = vm.foundBytes();
    const bool done = scanDone(vm);
    if (!done || found < 1) {
        if (vm.isBackgroundScanning()) {
            const auto* scanning = std::get_if<state::Scanning>(&vm.scanState());
            card.statusText = scanning && !scanning->message.empty() ? scanning->message
                                                                      : platform::localized("Scanning your Mac\u2026");
        } else {
            card.statusText =
                platform::localized("Scan your Mac to discover junk files, caches, and other items you can safely remove.");
        }
    } else {
        card.showsFoundBytes = true;
        card.statusText = platform::localizedFormat("Zentrel can free up %@", {fileSize(found)});
    }

    // The button names the smart cleanup plan, as the Smart Cleanup page does.
    const auto plan = vm.smartCleanupPlan();
    if (done && found >= 1 && plan.totalBytes >= 1) {
        card.button = HeroButton::smartCleanup;
        card.buttonTitle = platform::localizedFormat("Smart Cleanup \u2014 free up %@", {fileSize(plan.totalBytes)});
        card.buttonSymbol = "sparkles";
        card.buttonHint = plan.isSummaryOnly
                              ? platform::localized("Scans again to find these items before cleaning.")
                              : platform::localized("Selects safe items and opens the clean confirmation.");
    } else if (!vm.isBackgroundScanning()) {
        card.button = HeroButton::fullScan;
        card.buttonTitle = platform::localized("Full Scan");
        card.buttonSymbol = "magnifyingglass";
        card.buttonHint = platform::localized("Scans all cleanup categories on your Mac.");
    }
    return card;
}

std::vector<CategoryTile> topCategories(const viewmodels::ScanViewModel& vm) {
    if (vm.result().items.empty() && storedItemCount(vm) < 1) return {};
    std::vector<CategoryTile> tiles;
    for (const auto category : vm.categories()) {
        const auto figures = vm.categoryFigures(category);
        if (figures.bytes < 1) continue;
        const auto count = figures.itemCount.value_or(0);
        tiles.push_back({category, figures.bytes, count, vm.categoryTitle(category), fileSize(figures.bytes),
                         figures.itemCount ? platform::localizedFormat(N_COUNTED("%lld items"), {platform::formatCount(count)})
                                           : platform::localized("From the last scan"),
                         std::nullopt});
        if (category != model::CategoryType::duplicates) continue;
        const auto stop = vm.duplicateWalkStop();
        const auto capped = vm.duplicateCappedSizes();
        if (const auto notice = viewmodels::duplicateScanNotice(stop, capped)) {
            std::size_t uncompared = 0;
            for (const auto& size : capped) uncompared += size.files - size.compared;
            tiles.back().notice =
                TileNotice{stop ? platform::localizedFormat("Stopped early at %@", {stop->stoppedAt})
                                : platform::localizedFormat(N_COUNTED("%lld files not compared"),
                                                            {platform::formatCount(uncompared)}),
                           *notice};
        }
    }
    std::stable_sort(tiles.begin(), tiles.end(), [](const auto& a, const auto& b) { return a.bytes > b.bytes; });
    if (tiles.size() > 3) tiles.resize(3);
    return tiles;
}

std::optional<CleaningHistoryContent> cleaningHistory(const std::vector<model::CleaningRecord>& history,
                                                       platform::Date now, const std::string& language,
                                                       const std::string& timeZone) {
    if (history.empty()) return std::nullopt;
    std::int64_t total = 0;
    for (const auto& record : history) total += record.freedBytes;
    const auto first = history.size() > kHistoryColumns ? history.end() - kHistoryColumns : history.begin();
    std::int64_t largest = 0;
    for (auto record = first; record != history.end(); ++record) largest = std::max(largest, record->freedBytes);

    const engine::ScanDateFormatter mediumDate(language, timeZone);
    CleaningHistoryContent card{platform::localized("Cleaning History"), platform::localizedFormat("Total %@", {fileSize(total)}), {}};
    for (auto record = first; record != history.end(); ++record) {
        const double fraction = largest < 1 ? 0.0 : static_cast<double>(record->freedBytes) / static_cast<double>(largest);
        const auto size = fileSize(record->freedBytes);
        card.columns.push_back({size, std::max(kHistoryMinimumBarHeight, kHistoryBarHeight * fraction),
                                platform::isJustNow(record->date, now)
                                    ? platform::localized("just now")
                                    : platform::formatRelativeAbbreviated(record->date, now, language),
                                size + " \u2022 " + mediumDate.format(record->date)});
    }
    return card;
}

HeroOutcome pressHeroButton(viewmodels::ScanViewModel& vm) {
    const auto card = heroCard(vm, std::nullopt);
    if (card.button == HeroButton::none) return HeroOutcome::nothing;
    if (card.button == HeroButton::fullScan || vm.smartCleanupPlan().isSummaryOnly) {
        startFullScan(vm);
        return HeroOutcome::scanStarted;
    }
    return HeroOutcome::confirmClean;
}

CleanConfirmation smartCleanupConfirmation(const viewmodels::ScanViewModel& vm) {
    const auto plan = vm.smartCleanupPlan();
    auto confirmation = cleanConfirmation(vm, plan.items, std::nullopt);
    confirmation.title = platform::localizedFormat("Clean %@?", {fileSize(plan.totalBytes)});
    return confirmation;
}

}  // namespace zentrel::ui
