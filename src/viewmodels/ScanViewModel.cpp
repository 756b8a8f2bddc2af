#include "viewmodels/ScanViewModel.hpp"

#include "engine/CleanerEngine.hpp"
#include "model/PathClaims.hpp"
#include "platform/text/Localization.hpp"
#include "viewmodels/CountedItems.hpp"

#include <algorithm>

namespace zentrel::viewmodels {

using model::CategoryType;
using model::CleanItem;
namespace state = model::scan_state;

namespace {

template <class State>
bool holds(const model::ScanState& scanState) {
    return std::holds_alternative<State>(scanState);
}

}  // namespace

const std::set<CategoryType> ScanViewModel::lazyScanCategories = {CategoryType::duplicates, CategoryType::privacy,
                                                                  CategoryType::startup, CategoryType::icloud};

ScanViewModel::ScanViewModel(ScanViewModelServices services)
    : services_(std::move(services)),
      categories_(services_.engine.categories()),
      reportDates_(services_.language, services_.timeZone, engine::ScanDateFormatter::Style::longStyle,
                   engine::ScanDateFormatter::Style::shortStyle) {
    restoreLastScanSummary();
    services_.prefs.pruneExpiredSweepRecords();
    // Sweeps cut short are taken into the log before anything is purged.
    std::weak_ptr<ScanViewModel*> weak = self_;
    services_.restorer.recordedSweeps([weak](std::vector<model::SweepRecord> records) {
        if (auto self = weak.lock()) {
            (**self).services_.prefs.adoptSweepRecords(records);
            (**self).purgeSweepBackups();
        }
    });
}

bool ScanViewModel::showsCategory(CategoryType category) const {
    return std::ranges::find(categories_, category) != categories_.end();
}

void ScanViewModel::purgeSweepBackups() {
    if (auto live = services_.prefs.sweepIDsWithBackupsInUse()) {
        services_.restorer.purgeBackups(std::move(*live), services_.prefs.sweepIDsInLog());
    }
}

std::string ScanViewModel::deletionKey(const CleanItem& item) {
    return item.path.empty() ? item.id.string() : item.path;
}

void ScanViewModel::restoreLastScanSummary() {
    if (!result().items.empty()) return;
    if (services_.prefs.defaults().integer("lastScanItemCount") < 1) return;
    isBackgroundScanComplete.set(true);
    scanState.set(state::Done{});
    std::set<CategoryType> scanned;
    const auto totals = services_.prefs.lastScanCategoryTotals();
    for (auto category : categories_) {
        if (auto found = totals.find(category); found != totals.end() && found->second >= 1) scanned.insert(category);
    }
    scannedCategories.set(std::move(scanned));
}

void ScanViewModel::startScan(bool background, bool quick, bool cleanAfterScan, bool smartCleanupAfterScan) {
    if (scanTask_ || !holds<state::Idle>(scanState())) return;
    isBackgroundScanning.set(background);
    scannedCategories.set({});
    lazyScanningCategory.set(std::nullopt);
    if (!background) {
        loadedCategories_.clear();
        result.set({});
    }
    scanState.set(state::Scanning{0.0, platform::localized("Starting scan...")});
    const auto generation = ++scanGeneration_;
    scanTask_ = generation;

    const ScanFlags flags{background, quick, cleanAfterScan, smartCleanupAfterScan};
    std::weak_ptr<ScanViewModel*> weak = self_;
    // Quick scans add the projects and large files; all but the background
    // scan add the extended categories.
    services_.engine.scanCategories(
        quick, !background,
        [weak, generation, background](double fraction, const std::string& message) {
            auto self = weak.lock();
            if (!self) return;
            auto& model = **self;
            if (!model.isCurrent(generation) || (background && !model.isBackgroundScanning())) return;
            model.scanState.set(state::Scanning{fraction, message});
        },
        [weak, generation, flags](std::vector<CleanItem> items) {
            if (auto self = weak.lock()) (*self)->finishFullScan(generation, flags, std::move(items));
        });
}

void ScanViewModel::finishFullScan(std::uint64_t generation, const ScanFlags& flags, std::vector<CleanItem> items) {
    const bool dropped = !isCurrent(generation) || (flags.background && !isBackgroundScanning());
    if (!dropped) {
        finishScan(std::move(items), flags.background, flags.quick);
        if (flags.cleanAfterScan || flags.smartCleanupAfterScan) {
            if (flags.cleanAfterScan) {
                selectRecommended();
            } else {
                selectSmartCleanupItems();
            }
            if (!selectedItems().empty()) startClean(std::nullopt, false);
        }
    }
    if (isCurrent(generation) && scanTask_) scanTask_.reset();
}

void ScanViewModel::finishScan(std::vector<CleanItem> items, bool background, bool quick) {
    for (auto& item : items) item.isSelected = item.isSelected && !item.isReadOnly;
    std::set<CategoryType> scanned;
    if (background && !quick) {
        for (auto category : {CategoryType::xcode, CategoryType::devTools, CategoryType::appCaches,
                              CategoryType::systemCaches, CategoryType::trash, CategoryType::iosBackups})
            if (showsCategory(category)) scanned.insert(category);
    } else {
        for (auto category : categories_) {
            if (!background || !lazyScanCategories.contains(category)) scanned.insert(category);
        }
    }
    // Known before the result is announced, so observers read the new totals.
    loadedCategories_ = scanned;
    for (auto category : scanned) scannedAt_[category] = services_.clock.now();
    result.set(model::ScanResult{std::move(items)});
    scannedCategories.set(std::move(scanned));
    persistScanStats();

    std::int64_t foundBytes = 0;
    for (const auto& item : result().items) foundBytes += item.sizeBytes;
    if (services_.prefs.defaults().boolean("notificationsEnabled")) services_.notifications.notifyScanComplete(foundBytes);
    isBackgroundScanComplete.set(true);
    isBackgroundScanning.set(false);
    scanState.set(state::Done{});

    if (services_.prefs.defaults().boolean("autoCleanEnabled")) {
        selectAllSafe();
        if (!selectedItems().empty()) startClean(std::nullopt, true);
    }
}

void ScanViewModel::stopScanTask() {
    ++scanGeneration_;
    scanTask_.reset();
    lazyScanningCategory.set(std::nullopt);
    isBackgroundScanning.set(false);
}

void ScanViewModel::resetScan(bool clearFailures) {
    stopScanTask();
    if (clearFailures) {
        cleanFailures.set({});
        failedDeletionKeys.set({});
        cleaningActivity.set({});
        cleaningTotalCount.set(0);
        scanState.set(state::Idle{});
    } else if (holds<state::Done>(scanState()) && result().items.empty()) {
        scanState.set(state::Idle{});
    }
}

void ScanViewModel::cancelScan() {
    stopScanTask();
    const bool nothingKnown =
        result().items.empty() && services_.prefs.defaults().integer("lastScanItemCount") < 1;
    scanState.set(nothingKnown ? model::ScanState{state::Idle{}} : model::ScanState{state::Done{}});
}

void ScanViewModel::scanCategory(CategoryType category, bool force) {
    if (lazyScanningCategory() || !showsCategory(category)) return;
    if (scanTask_) {
        if (isBackgroundScanning() || holds<state::Scanning>(scanState())) {
            resetScan(false);
        } else {
            scanTask_.reset();
        }
    }
    if (!force) {
        if (scannedCategories().contains(category)) return;
    } else {
        result.modify([category](model::ScanResult& r) {
            std::erase_if(r.items, [category](const CleanItem& item) { return item.category == category; });
        });
        scannedCategories.modify([category](auto& set) { set.erase(category); });
    }
    lazyScanningCategory.set(category);
    scanState.set(state::Scanning{0.0, engine::CleanerEngine::scanningLabel(category)});
    const auto generation = ++scanGeneration_;
    scanTask_ = generation;
    std::weak_ptr<ScanViewModel*> weak = self_;
    services_.engine.scanCategory(category, [weak, generation, category](std::vector<CleanItem> items) {
        if (auto self = weak.lock()) (*self)->finishCategoryScan(generation, category, std::move(items));
    });
}

void ScanViewModel::finishCategoryScan(std::uint64_t generation, CategoryType category, std::vector<CleanItem> items) {
    if (!isCurrent(generation)) return;
    scanState.set(state::Scanning{1.0, platform::localized("Scan complete")});
    loadedCategories_.insert(category);
    scannedAt_[category] = services_.clock.now();
    result.modify([&items](model::ScanResult& r) {
        r.items.insert(r.items.end(), std::make_move_iterator(items.begin()), std::make_move_iterator(items.end()));
        r.items = model::claimPaths(std::move(r.items));
        dropLoneDuplicates(r.items);
        std::stable_sort(r.items.begin(), r.items.end(),
                         [](const CleanItem& a, const CleanItem& b) { return a.sizeBytes > b.sizeBytes; });
    });
    scannedCategories.modify([category](auto& set) { set.insert(category); });
    persistScanStats();
    if (!holds<state::Cleaning>(scanState()) && !holds<state::Cleaned>(scanState())) scanState.set(state::Done{});
    scanTask_.reset();
    lazyScanningCategory.set(std::nullopt);
}

void ScanViewModel::runSmartCleanup() {
    // A plan that is partly a summary of the last scan is verified by a fresh one first.
    if (!smartCleanupPlan().isSummaryOnly) {
        selectSmartCleanupItems();
        if (!selectedItems().empty()) startClean(std::nullopt, false);
    } else if (services_.prefs.hasSmartCleanupPlan()) {
        resetScan(true);
        startScan(false, true, false, true);
    }
}

}  // namespace zentrel::viewmodels
