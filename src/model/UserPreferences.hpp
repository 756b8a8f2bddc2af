#pragma once
// The one place through which the app reads and writes its settings, its
// last-scan statistics and its small persisted lists in the main app's
// defaults. It keeps no copies: every read goes to the store and every write
// straight to it. Main thread only.

#include "model/CategoryType.hpp"
#include "model/CleaningRecord.hpp"
#include "model/PersistedSmartCleanupPlan.hpp"
#include "model/StoredCategoryFigures.hpp"
#include "model/StoredSweepLog.hpp"
#include "model/SweepRecord.hpp"
#include "platform/concurrency/Clock.hpp"
#include "platform/desktop/LoginItemService.hpp"
#include "platform/settings/DefaultsStore.hpp"
#include "platform/settings/Observable.hpp"
#include "typing/engine/VietIMEOptions.hpp"
#include "typing/engine/VietInputMethod.hpp"

#include <nlohmann/json.hpp>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace zentrel::model {

class SharedEcosystemState;

enum class ViewMode { recommended, advanced };

class UserPreferences final {
public:
    static constexpr std::size_t kCleaningHistoryLimit = 30;
    static constexpr std::size_t kSweepLogLimit = 10;

    // Synchronises the shared state once, as the app's single instance does
    // when it is made.
    UserPreferences(platform::DefaultsStore& defaults, const platform::Clock& clock, SharedEcosystemState& shared,
                    std::string language = "en");
    UserPreferences(const UserPreferences&) = delete;
    UserPreferences& operator=(const UserPreferences&) = delete;

    // Other subsystems keep their own scalar keys here.
    [[nodiscard]] platform::DefaultsStore& defaults() const { return defaults_; }

    [[nodiscard]] ViewMode viewMode() const;
    // Stores the mode and, when it changed, tells every screen that names categories.
    void setViewMode(ViewMode mode);
    platform::Signal<ViewMode> viewModeChanged;

    [[nodiscard]] std::map<CategoryType, std::int64_t> lastScanCategoryTotals() const;
    // Stores sizes alone: counts and dates stored before no longer describe them and go.
    void setLastScanCategoryTotals(const std::map<CategoryType, std::int64_t>& totals);
    // The totals with each category's item count and scan date where they are known.
    [[nodiscard]] std::map<CategoryType, StoredCategoryFigures> lastScanCategoryFigures() const;
    void setLastScanCategoryFigures(const std::map<CategoryType, StoredCategoryFigures>& figures);

    [[nodiscard]] std::optional<PersistedSmartCleanupPlan> lastSmartCleanupPlan() const;
    // None removes the stored plan.
    void setLastSmartCleanupPlan(const std::optional<PersistedSmartCleanupPlan>& plan);
    [[nodiscard]] bool hasSmartCleanupPlan() const;

    // "Last scan 2 hr. ago · found 1.2 GB" ("Last scan just now · …" within a
    // minute), in the current language; none when never scanned. `found`
    // replaces the stored figure where a window counts it in its view mode.
    [[nodiscard]] std::optional<std::string> lastScanSummary(std::optional<std::int64_t> found = std::nullopt) const;
    [[nodiscard]] bool isAutoScanDue() const;

    [[nodiscard]] std::vector<CleaningRecord> cleaningHistory() const;
    void setCleaningHistory(const std::vector<CleaningRecord>& history);
    // Appends to the history (keeping the last 30), adds to the all-time
    // total and mirrors the summary into the shared state.
    void recordCleaning(std::int64_t freedBytes);

    // The records that decode; a damaged one is skipped and reported on
    // standard output, and kept as it is stored by every write below. A log
    // that is no list at all reads as empty and is never written back.
    [[nodiscard]] std::vector<SweepRecord> sweepLog() const;
    void setSweepLog(const std::vector<SweepRecord>& log);
    // Newest first, at most 10. An unreadable log is first set aside under
    // "sweepLogUnreadable". Returns why the log could not be saved, when it
    // could not: the sweep then cannot be undone from the log.
    [[nodiscard]] std::optional<std::string> appendSweepRecord(const SweepRecord& record);
    // Adds the records of sweeps cut short that the log does not hold yet
    // (kept by the sweep journal), unless they have expired or hold no action.
    void adoptSweepRecords(const std::vector<SweepRecord>& records);
    // Keeps the records that expire later than now.
    void pruneExpiredSweepRecords();
    void markSweepActionRestored(const platform::Uuid& recordID, const platform::Uuid& actionID);
    // The sweeps whose backups an undo may still need: records not expired
    // with an action not yet restored, and damaged records that still name
    // their id. None when the log cannot be read at all, so that nothing is
    // purged on a guess.
    [[nodiscard]] std::optional<std::set<platform::Uuid>> sweepIDsWithBackupsInUse() const;
    // Every sweep the log holds, damaged records included where they name their id.
    [[nodiscard]] std::set<platform::Uuid> sweepIDsInLog() const;

    [[nodiscard]] bool energyDigestEnabled() const;
    // Whether the window looks for updates by itself, at start and daily; on unless turned off.
    [[nodiscard]] bool automaticUpdateChecksEnabled() const;
    // Stores the switch and, when it changed, tells the running updater.
    void setAutomaticUpdateChecksEnabled(bool enabled);
    platform::Signal<bool> automaticUpdateChecksChanged;
    [[nodiscard]] bool vietIMERuleEngineEnabled() const;
    [[nodiscard]] bool vietIMEUseMarkedText() const;
    [[nodiscard]] typing::VietInputMethod vietIMEMethod() const;
    [[nodiscard]] typing::VietIMEIntegrationMode vietIMEIntegrationMode() const;
    // False until the user picks a mode: each session then decides (see VietIMEManager).
    [[nodiscard]] bool hasChosenVietIMEIntegrationMode() const;
    [[nodiscard]] typing::VietIMEOptions vietIMEOptions() const;
    void setVietIMEOptions(const typing::VietIMEOptions& options);

    // Registers or unregisters the app as a login item; a failure is reported
    // on standard output and its text returned for a screen to show.
    static std::optional<std::string> setLaunchAtLogin(platform::LoginItemService& loginItems, bool enabled);

private:
    [[nodiscard]] bool booleanDefaultingToTrue(std::string_view key) const;
    [[nodiscard]] StoredSweepLog storedSweepLog() const;
    void storeSweepLog(const StoredSweepLog& log);

    platform::DefaultsStore& defaults_;
    const platform::Clock& clock_;
    SharedEcosystemState& shared_;
    std::string language_;
};

// The stored switch for automatic update checks, as the updater reads it at start.
[[nodiscard]] bool automaticUpdateChecksEnabled(const platform::DefaultsStore& defaults);

// Reads a JSON value stored as data; none when missing or not JSON.
[[nodiscard]] std::optional<nlohmann::json> storedJson(const platform::DefaultsStore& defaults, std::string_view key);
// A stored double as whole bytes, truncated toward zero; values that do not
// fit (not finite, out of range) count as 0.
[[nodiscard]] std::int64_t truncatedBytes(double value);

}  // namespace zentrel::model
