#pragma once
// The state behind the cleaner half of the app: the last scan's items, the
// phase the main window shows, the sidebar page, the rows and failures of
// the running or last clean, and the last privacy sweep. It starts full and
// per-category scans, cleans, undoes sweep actions and keeps the last-scan
// figures in the settings. Main thread only; the engine does the work and
// answers on the main thread.
//
// Every scan carries the generation it started in: a reset, a cancel or a
// newer scan moves the generation on, and the older scan's progress and
// items are then dropped.

#include "engine/ScanDateFormatter.hpp"
#include "model/CategoryTitle.hpp"
#include "model/CleaningProgress.hpp"
#include "model/DuplicateGroup.hpp"
#include "model/PrivacyGroup.hpp"
#include "model/ScanResult.hpp"
#include "model/ScanState.hpp"
#include "model/SharedEcosystemState.hpp"
#include "model/SidebarSelection.hpp"
#include "model/SweepRecord.hpp"
#include "model/UserPreferences.hpp"
#include "platform/desktop/WidgetCenter.hpp"
#include "platform/settings/AnnouncedValue.hpp"
#include "platform/settings/Observable.hpp"
#include "services/desktop/NotificationManager.hpp"
#include "viewmodels/ScanEngine.hpp"
#include "viewmodels/SmartCleanupPlan.hpp"
#include "viewmodels/SweepRestorer.hpp"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace zentrel::viewmodels {

struct ScanViewModelServices {
    ScanEngine& engine;
    SweepRestorer& restorer;
    model::UserPreferences& prefs;
    model::SharedEcosystemState& shared;
    services::NotificationManager& notifications;
    platform::WidgetCenter& widgets;
    const platform::Clock& clock;
    // How the report writes its date: the user's language and time zone
    // (empty: the local zone).
    std::string language = "en";
    std::string timeZone = {};
};

// A category's figures as the screens show them.
struct CategoryFigures {
    std::int64_t bytes = 0;
    std::optional<std::int64_t> itemCount;  // unknown in statistics kept by earlier versions
    // The stored figures of the last scan, whose items are not loaded;
    // `lastScanDate` then says when it was made, where that is known.
    bool fromLastScan = false;
    std::optional<platform::Date> lastScanDate;

    bool operator==(const CategoryFigures&) const = default;
};

// An undo the journal refused, shown in the sweep log beside its row; or,
// `settled`, one that found nothing left to put back and is done all the same.
struct SweepUndoRefusal {
    platform::Uuid actionID;
    std::string message;
    bool settled = false;

    bool operator==(const SweepUndoRefusal&) const = default;
};

class ScanViewModel final {
public:
    // Categories scanned only when opened.
    static const std::set<model::CategoryType> lazyScanCategories;

    // Restores the last scan's summary, drops expired sweep records and the
    // backups no sweep needs any more.
    explicit ScanViewModel(ScanViewModelServices services);
    ScanViewModel(const ScanViewModel&) = delete;
    ScanViewModel& operator=(const ScanViewModel&) = delete;

    platform::Published<model::ScanState> scanState{model::ScanState{model::scan_state::Idle{}}};
    platform::AnnouncedValue<model::ScanResult> result;
    platform::Published<model::SidebarSelection> sidebarSelection{model::SidebarSelection::overview()};
    platform::Published<bool> isBackgroundScanComplete{false};
    platform::Published<std::vector<model::CleanFailureInfo>> cleanFailures;
    platform::Published<std::vector<model::CleaningActivityEntry>> cleaningActivity;
    platform::Published<int> cleaningTotalCount{0};
    platform::Published<std::set<std::string>> failedDeletionKeys;
    platform::Published<bool> isBackgroundScanning{false};
    platform::Published<std::set<model::CategoryType>> scannedCategories;
    platform::Published<std::optional<model::CategoryType>> lazyScanningCategory;
    platform::AnnouncedValue<std::optional<model::SweepRecord>> lastSweepRecord;
    platform::Published<bool> showSweepLog{false};
    // Why the last undo was refused, or that it found everything back already;
    // none once an undo succeeds.
    platform::AnnouncedValue<std::optional<SweepUndoRefusal>> sweepUndoRefusal;

    // Scans.
    void restoreLastScanSummary();
    void startScan(bool background, bool quick, bool cleanAfterScan, bool smartCleanupAfterScan);
    void resetScan(bool clearFailures);
    void cancelScan();
    void scanCategory(model::CategoryType category, bool force);
    void runSmartCleanup();
    [[nodiscard]] bool isScanRunning() const { return scanTask_.has_value(); }

    // Cleaning and undo. A clean asked for while one runs is ignored.
    void startClean(std::optional<model::CategoryType> category, bool automatic);
    [[nodiscard]] bool isCleaning() const { return cleaning_; }
    void undoSweep(const model::SweepAction& action, const model::SweepRecord& record,
                   std::function<void()> done = {});
    void showFirstFailure();
    void persistScanStats();
    void applyCleaningProgress(const model::CleaningProgressEvent& event);

    // Selection.
    void selectRecommended();
    void selectSmartCleanupItems();
    void selectAllSafe();
    void toggleItem(const platform::Uuid& id);
    void selectAll(model::CategoryType category);
    void deselectAll(model::CategoryType category);
    // Selects exactly `ids` among the items of `scope` (every item when none).
    void selectOnly(const std::set<platform::Uuid>& ids, std::optional<model::CategoryType> scope);

    // Queries.
    [[nodiscard]] std::vector<model::CleanItem> selectedItems() const;
    [[nodiscard]] std::vector<model::CleanItem> items(model::CategoryType category) const;
    [[nodiscard]] std::vector<model::CleanItem> currentCategoryItems() const;
    [[nodiscard]] std::string currentCategorySizeText() const;
    [[nodiscard]] std::vector<model::CleanItem> displayedItems() const;
    // What the sidebar, the overview, the popover and the category's page
    // count in the current view mode: the loaded items, or the stored
    // statistics of a category whose items are not loaded.
    [[nodiscard]] CategoryFigures categoryFigures(model::CategoryType category) const;
    // The figures of every shown category added up.
    [[nodiscard]] std::int64_t foundBytes() const;
    // The result holds the category's items (none found counts).
    [[nodiscard]] bool isLoaded(model::CategoryType category) const { return loadedCategories_.contains(category); }
    // The safe recommendations of the loaded items; while a category whose
    // stored plan has items is not loaded, the stored plan as a summary.
    [[nodiscard]] SmartCleanupPlan smartCleanupPlan() const;
    [[nodiscard]] std::int64_t safeCleanableBytes() const;
    [[nodiscard]] bool hasCleanableData() const;
    [[nodiscard]] std::vector<model::DuplicateGroup> duplicateGroups() const;
    // Where the last duplicates scan stopped at its candidate limit, if it did.
    [[nodiscard]] std::optional<scanners::CandidateLimitStop> duplicateWalkStop() const {
        return services_.engine.duplicateWalkStop();
    }
    [[nodiscard]] std::size_t duplicatePicturesTooLarge() const { return services_.engine.duplicatePicturesTooLarge(); }
    [[nodiscard]] std::vector<scanners::CappedSizeGroup> duplicateCappedSizes() const {
        return services_.engine.duplicateCappedSizes();
    }
    [[nodiscard]] std::vector<model::PrivacyGroup> privacyGroups() const;
    // The plain-text report of the current result, dated now; item names
    // and paths as `shownName` gives them (as they are by default).
    [[nodiscard]] std::string exportReport(const std::function<std::string(std::string_view)>& shownName = {}) const;

    // The categories shown and scanned here, in category order.
    [[nodiscard]] const std::vector<model::CategoryType>& categories() const { return categories_; }
    [[nodiscard]] bool showsCategory(model::CategoryType category) const;

    [[nodiscard]] model::UserPreferences& prefs() const { return services_.prefs; }
    // The category's name in the view mode the user chose.
    [[nodiscard]] std::string categoryTitle(model::CategoryType category) const {
        return model::categoryTitle(category, services_.prefs.viewMode());
    }
    // The path, or the id when the item stands for no file.
    [[nodiscard]] static std::string deletionKey(const model::CleanItem& item);

private:
    struct ScanFlags {
        bool background = false;
        bool quick = false;
        bool cleanAfterScan = false;
        bool smartCleanupAfterScan = false;
    };
    void finishFullScan(std::uint64_t generation, const ScanFlags& flags, std::vector<model::CleanItem> items);
    void finishScan(std::vector<model::CleanItem> items, bool background, bool quick);
    void finishCategoryScan(std::uint64_t generation, model::CategoryType category,
                            std::vector<model::CleanItem> items);
    void finishClean(const std::vector<model::CleanItem>& cleaned, std::optional<model::CategoryType> category,
                     bool automatic, const engine::DeleteResult& r);
    void stopScanTask();
    // When a category's stored figures were found: its own date, or that of the last scan.
    [[nodiscard]] std::optional<platform::Date> scanDateOf(const model::StoredCategoryFigures& stored) const;
    // The stored plan's rows of categories that are not loaded.
    [[nodiscard]] std::vector<model::PersistedSmartCleanupPlan::CategoryRow> storedPlanRowsNotLoaded() const;
    // Backups of sweeps that are expired, fully restored or gone from the log
    // hold what the user asked to erase: they go at start-up and after each
    // clean and undo.
    void purgeSweepBackups();
    // Applies `select` to every item in one assignment.
    template <class Select>
    void reselect(Select select);
    [[nodiscard]] bool isCurrent(std::uint64_t generation) const { return generation == scanGeneration_; }

    ScanViewModelServices services_;
    std::vector<model::CategoryType> categories_;
    engine::ScanDateFormatter reportDates_;
    std::optional<std::uint64_t> scanTask_;  // the generation of the stored scan
    std::uint64_t scanGeneration_ = 0;
    // The categories whose items the result holds; the others are known only
    // from the stored totals of the last scan.
    std::set<model::CategoryType> loadedCategories_;
    // When each loaded category was scanned.
    std::map<model::CategoryType, platform::Date> scannedAt_;
    bool cleaning_ = false;
    // Lets late engine answers see that this model is gone.
    std::shared_ptr<ScanViewModel*> self_ = std::make_shared<ScanViewModel*>(this);
};

}  // namespace zentrel::viewmodels
