// The scan view model's cleans, undo, selection, queries and report.

#include "viewmodels/CleanFigureText.hpp"
#include "viewmodels/DuplicateWalkNotice.hpp"
#include "viewmodels/ScanViewModel.hpp"

#include "platform/text/ByteCountFormatter.hpp"
#include "platform/text/Localization.hpp"
#include "viewmodels/CountedItems.hpp"
#include "viewmodels/ResultGrouping.hpp"

#include <algorithm>
#include <map>

namespace zentrel::viewmodels {

using model::CategoryType;
using model::CleanItem;
namespace state = model::scan_state;

void ScanViewModel::startClean(std::optional<CategoryType> category, bool automatic) {
    // One clean at a time: a second request while one runs is ignored.
    if (cleaning_) return;
    auto cleaned = category ? items(*category) : selectedItems();
    if (cleaned.empty()) return;

    cleaningTotalCount.set(static_cast<int>(cleaned.size()));
    std::vector<model::CleaningActivityEntry> rows;
    for (const auto& item : cleaned) rows.push_back(model::CleaningActivityEntry::pendingRow(item));
    cleaningActivity.set(std::move(rows));
    scanState.set(state::Cleaning{0.0});
    cleanFailures.set({});
    cleaning_ = true;

    std::weak_ptr<ScanViewModel*> weak = self_;
    services_.engine.cleanItems(
        cleaned,
        [weak](const model::CleaningProgressEvent& event) {
            if (auto self = weak.lock()) (*self)->applyCleaningProgress(event);
        },
        [weak, cleaned, category, automatic](engine::DeleteResult r) {
            if (auto self = weak.lock()) (*self)->finishClean(cleaned, category, automatic, r);
        });
}

void ScanViewModel::applyCleaningProgress(const model::CleaningProgressEvent& event) {
    using Kind = model::CleaningProgressEvent::Kind;
    using Status = model::CleaningActivityEntry::Status;
    cleaningTotalCount.set(event.total);
    const double total = event.total;
    Status status;
    if (event.kind == Kind::started) {
        scanState.set(state::Cleaning{event.total < 1 ? 0.0 : event.index / total});
        status = Status::inProgress();
    } else {
        scanState.set(state::Cleaning{event.total < 1 ? 1.0 : (event.index + 1) / total});
        status = event.kind == Kind::succeeded ? Status::deleted() : Status::failed(event.error);
    }
    cleaningActivity.modify([&](std::vector<model::CleaningActivityEntry>& rows) {
        auto row = std::find_if(rows.begin(), rows.end(), [&](const auto& r) { return r.id == event.item.id; });
        if (row == rows.end()) {
            rows.push_back(model::CleaningActivityEntry::pendingRow(event.item));
            row = rows.end() - 1;
        }
        row->status = status;
    });
}

void ScanViewModel::finishClean(const std::vector<CleanItem>& cleaned, std::optional<CategoryType> category,
                                bool automatic, const engine::DeleteResult& r) {
    cleaning_ = false;
    const std::set<std::string> failed(r.failedKeys.begin(), r.failedKeys.end());
    std::set<std::string> cleanedKeys;
    for (const auto& item : cleaned) cleanedKeys.insert(deletionKey(item));

    result.modify([&](model::ScanResult& current) {
        std::erase_if(current.items, [&](const CleanItem& item) {
            const auto key = deletionKey(item);
            return cleanedKeys.contains(key) && !failed.contains(key);
        });
        dropLoneDuplicates(current.items);
    });
    failedDeletionKeys.modify([&](std::set<std::string>& keys) {
        for (const auto& key : cleanedKeys) {
            if (failed.contains(key)) {
                keys.insert(key);
            } else {
                keys.erase(key);
            }
        }
    });
    std::vector<model::CleanFailureInfo> failures;
    for (const auto& item : cleaned) {
        const auto key = deletionKey(item);
        if (!failed.contains(key)) continue;
        const auto message = r.failureMessages.find(key);
        failures.push_back(model::CleanFailureInfo::forItem(
            item, message == r.failureMessages.end() ? std::nullopt : std::optional(message->second)));
    }
    // Recorded before the state moves on and the failures are told: the page
    // it opens shows the history, and the failures' alert what was freed.
    services_.prefs.recordCleaning(r.freed);
    cleanFailures.set(std::move(failures));

    std::optional<std::string> recordError;
    if (r.sweepRecord) {
        recordError = services_.prefs.appendSweepRecord(*r.sweepRecord);
        if (!recordError) {
            lastSweepRecord.set(r.sweepRecord);
            showSweepLog.set(true);
        }
    }
    purgeSweepBackups();
    if (recordError) {
        // The backups stay; the sweep's own record is taken over at a later start.
        scanState.set(state::Error{platform::localizedFormat(
            "The privacy changes were made but could not be recorded, so they cannot be undone now: %@", {*recordError})});
    } else if (failed.empty()) {
        std::int64_t trackerCookies = 0;
        for (const auto& item : cleaned) trackerCookies += trackerCookieCount(item);
        scanState.set(state::Cleaned{r.freed, category, trackerCookies});
    } else {
        scanState.set(state::Done{});
    }
    services_.widgets.reloadTimelines("DiskRingWidget");
    if (services_.prefs.defaults().boolean("notificationsEnabled")) services_.notifications.notifyCleanComplete(r.freed);
    persistScanStats();
    if (automatic && !recordError) scanState.set(state::Done{});
}

void ScanViewModel::undoSweep(const model::SweepAction& action, const model::SweepRecord& record,
                              std::function<void()> done) {
    std::weak_ptr<ScanViewModel*> weak = self_;
    services_.restorer.restore(record, action, [weak, recordID = record.id, actionID = action.id, done = std::move(done)](
                                                   std::optional<std::string> error, std::vector<platform::Uuid> undone,
                                                   bool alreadyBack) {
        if (auto self = weak.lock()) {
            auto& model = **self;
            if (error) {
                // Told in the sweep log, where the undo was asked for, not on the window behind it.
                model.sweepUndoRefusal.set(SweepUndoRefusal{actionID, *error});
            } else {
                if (alreadyBack) {
                    model.sweepUndoRefusal.set(SweepUndoRefusal{actionID, platform::localized("Already restored"), true});
                } else if (model.sweepUndoRefusal()) {
                    model.sweepUndoRefusal.set(std::nullopt);
                }
                for (const auto& actionID : undone) model.services_.prefs.markSweepActionRestored(recordID, actionID);
                if (model.lastSweepRecord() && model.lastSweepRecord()->id == recordID) {
                    for (const auto& stored : model.services_.prefs.sweepLog()) {
                        if (stored.id == recordID) {
                            model.lastSweepRecord.set(stored);
                            break;
                        }
                    }
                }
                model.purgeSweepBackups();
            }
        }
        if (done) done();
    });
}

void ScanViewModel::showFirstFailure() {
    if (!cleanFailures().empty()) {
        sidebarSelection.set(model::SidebarSelection::category(cleanFailures().front().category));
        return;
    }
    for (const auto& item : result().items) {
        if (failedDeletionKeys().contains(deletionKey(item))) {
            sidebarSelection.set(model::SidebarSelection::category(item.category));
            return;
        }
    }
}

template <class Select>
void ScanViewModel::reselect(Select select) {
    result.modify([&](model::ScanResult& r) {
        for (auto& item : r.items) item.isSelected = !item.isReadOnly && select(item);
    });
}

void ScanViewModel::selectRecommended() {
    reselect([](const CleanItem& item) { return item.isSafeRecommendation(); });
}

void ScanViewModel::selectSmartCleanupItems() {
    reselect([](const CleanItem& item) { return item.isSafeRecommendation(); });
}

void ScanViewModel::selectAllSafe() {
    reselect([](const CleanItem& item) { return item.safetyLevel == model::SafetyLevel::safe || item.isSelected; });
}

void ScanViewModel::toggleItem(const platform::Uuid& id) {
    reselect([&id](const CleanItem& item) { return item.id == id ? !item.isSelected : item.isSelected; });
}

void ScanViewModel::selectAll(CategoryType category) {
    reselect([category](const CleanItem& item) { return item.category == category || item.isSelected; });
}

void ScanViewModel::deselectAll(CategoryType category) {
    reselect([category](const CleanItem& item) { return item.category != category && item.isSelected; });
}

void ScanViewModel::selectOnly(const std::set<platform::Uuid>& ids, std::optional<CategoryType> scope) {
    reselect([&](const CleanItem& item) {
        if (scope && item.category != *scope) return item.isSelected;
        return ids.contains(item.id);
    });
}

std::vector<CleanItem> ScanViewModel::selectedItems() const {
    std::vector<CleanItem> selected;
    for (const auto& item : result().items)
        if (item.isSelected) selected.push_back(item);
    return selected;
}

std::vector<CleanItem> ScanViewModel::items(CategoryType category) const {
    std::vector<CleanItem> selected;
    for (const auto& item : result().items)
        if (item.isSelected && item.category == category) selected.push_back(item);
    return selected;
}

std::vector<CleanItem> ScanViewModel::currentCategoryItems() const {
    if (const auto category = sidebarSelection().category()) return items(*category);
    return selectedItems();
}

std::string ScanViewModel::currentCategorySizeText() const {
    std::int64_t total = 0;
    for (const auto& item : currentCategoryItems()) total += item.sizeBytes;
    return platform::formatByteCount(total, platform::ByteCountStyle::file);
}

std::vector<CleanItem> ScanViewModel::displayedItems() const {
    const bool advanced = services_.prefs.viewMode() == model::ViewMode::advanced;
    const auto category = sidebarSelection().category();
    std::vector<CleanItem> shown;
    for (const auto& item : result().items) {
        if (!advanced && !item.isSafeRecommendation()) continue;
        if (category && item.category != *category) continue;
        shown.push_back(item);
    }
    return shown;
}

std::vector<model::DuplicateGroup> ScanViewModel::duplicateGroups() const {
    return viewmodels::duplicateGroups(result().items);
}

std::vector<model::PrivacyGroup> ScanViewModel::privacyGroups() const {
    return viewmodels::privacyGroups(result().items);
}

std::string ScanViewModel::exportReport(const ShownName& shownName) const {
    // Categories not loaded since the restart are reported by their stored figures.
    std::map<CategoryType, LastScanFigures> lastScan;
    const engine::ScanDateFormatter scanDates(services_.language, services_.timeZone);
    for (const auto& [category, stored] : services_.prefs.lastScanCategoryFigures()) {
        if (isLoaded(category) || !showsCategory(category) || stored.bytes < 1) continue;
        const auto date = scanDateOf(stored);
        lastScan[category] = {stored.bytes, stored.itemCount,
                              date ? std::optional(scanDates.format(*date)) : std::nullopt};
    }
    return scanReport(result().items, reportDates_.format(services_.clock.now()), services_.prefs.viewMode(),
                      duplicateScanNotice(duplicateWalkStop(), duplicateCappedSizes()), lastScan, shownName);
}

}  // namespace zentrel::viewmodels
