#include "engine/CleanRun.hpp"

#include "engine/CleanerEngine.hpp"
#include "model/CookieDomains.hpp"
#include "model/SweepActionTitle.hpp"
#include "platform/files/AtomicFile.hpp"
#include "platform/text/Localization.hpp"
#include "platform/text/NumberFormatter.hpp"
#include "platform/text/Warnings.hpp"
#include "scanners/privacy/PrivacyScanner.hpp"
#include "scanners/privacy/PrivacySweepError.hpp"
#include "scanners/privacy/RunningBrowser.hpp"

#include <filesystem>
#include <memory>
#include <set>
#include <system_error>
#include <utility>

namespace zentrel::engine {
namespace {

using model::CleaningProgressEvent;
using model::CleanItem;
using model::SweepAction;
using model::SweepActionKind;
using Kind = model::DeletionMethod::Kind;
using Use = DeletionGuard::Use;

constexpr double kSweepLifetimeSeconds = 86400.0;

// The folders of a desktop Trash: what was trashed, where it came from, and
// what is being erased.
constexpr const char* kTrashFolders[] = {"files", "info", "expunged"};

// A failure of one item, with the text the user is shown.
class CleanFailure final : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string fileName(const std::string& path) { return std::filesystem::path(path).filename().string(); }

std::string removalMessage(const std::string& path, std::error_code error) {
    return platform::localizedFormat("\u201C%1$@\u201D could not be removed: %2$@.",
                                     {fileName(path), platform::fileErrorText(error)});
}

// The user-facing text of anything a deletion throws.
std::string describeRecordFailure(const std::exception& error) {
    if (const auto* fileError = dynamic_cast<const std::filesystem::filesystem_error*>(&error)) {
        return platform::fileErrorText(fileError->code()) + ".";
    }
    return error.what();
}

std::string describe(const std::exception& error) {
    if (const auto* fileError = dynamic_cast<const std::filesystem::filesystem_error*>(&error)) {
        const auto& path = fileError->path1();
        return platform::localizedFormat("\u201C%1$@\u201D could not be backed up: %2$@.",
                                         {path.filename().string(), platform::fileErrorText(fileError->code())});
    }
    return error.what();
}

SweepAction newAction(SweepActionKind kind, std::string label, std::optional<std::string> detail,
                      std::string backupPath, std::string originalPath) {
    return SweepAction{platform::Uuid::random(), kind,    std::move(label), std::move(detail),
                       std::move(backupPath),    std::move(originalPath), false};
}

class CleanRun final : public std::enable_shared_from_this<CleanRun> {
public:
    CleanRun(CleanerEngine& engine, CleanServices& services, std::vector<CleanItem> items,
             CleaningProgressHandler progress, std::function<void(DeleteResult)> done)
        : engine_(engine),
          services_(services),
          guard_(services.fileSystem, services.table),
          items_(std::move(items)),
          progress_(std::move(progress)),
          done_(std::move(done)) {}

    // On the engine's executor.
    void start() {
        for (const auto& item : items_) {
            if (item.category == model::CategoryType::privacy) {
                beginSweep();
                break;
            }
        }
        next();
    }

private:
    [[nodiscard]] int total() const { return static_cast<int>(items_.size()); }
    [[nodiscard]] const CleanItem& item() const { return items_[index_]; }

    // Handles items until one has to wait for the main thread, or the run ends.
    void next() {
        for (; index_ < items_.size(); ++index_) {
            report(CleaningProgressEvent::Kind::started);
            if (sweepRefusal_ && item().category == model::CategoryType::privacy) {
                fail(*sweepRefusal_, "Could not delete ");
                continue;
            }
            if (item().deletionMethod.kind() == Kind::clearPasteboard && sweepID_) {
                clearPasteboard();
                return;
            }
            try {
                succeed(deleteItem(item()));
            } catch (const PartialDirectoryClearError& error) {
                result_.freed += error.freedBytes;
                fail(error.what(), "Partial clear for ");
            } catch (const std::exception& error) {
                fail(describe(error), "Could not delete ");
            }
        }
        finish();
    }

    void report(CleaningProgressEvent::Kind kind, std::string error = {}) {
        if (!progress_) return;
        CleaningProgressEvent event{kind, item(), static_cast<int>(index_), total(), std::move(error)};
        engine_.mainQueue().post([progress = progress_, event = std::move(event)] { progress(event); });
    }

    void succeed(std::int64_t bytes) {
        result_.freed += bytes;
        report(CleaningProgressEvent::Kind::succeeded);
    }

    void fail(const std::string& message, std::string_view logLead) {
        const auto key = item().path.empty() ? item().id.string() : item().path;
        result_.failedKeys.push_back(key);
        result_.failureMessages[key] = message;
        platform::warn(std::string(logLead) + key + ": " + message);
        report(CleaningProgressEvent::Kind::failed, message);
    }

    // The sweep is recorded in its folder before anything changes; a sweep
    // that cannot be recorded makes no privacy change at all.
    void beginSweep() {
        sweepID_ = platform::Uuid::random();
        const auto date = services_.clock.now();
        record_ = model::SweepRecord{*sweepID_, date, date.addingTimeInterval(kSweepLifetimeSeconds), {}, 0};
        try {
            services_.journal.recordSweep(*record_, true);
        } catch (const std::exception& error) {
            sweepRefusal_ = platform::localizedFormat("The privacy sweep could not be recorded, so nothing was changed: %@",
                                                      {describeRecordFailure(error)});
        }
    }

    // Adds an action before its change is made, so that a run cut short
    // afterwards still knows the backup; throws when it cannot be recorded.
    void recordAction(SweepAction action) {
        actions_.push_back(std::move(action));
        saveRecord(true);
    }

    // Forgets the last action, whose change did not happen.
    void dropLastAction() {
        actions_.pop_back();
        try {
            saveRecord(true);
        } catch (const std::exception&) {
            // The record keeps an action whose backup is the item as it still is; undoing it is harmless.
        }
    }

    // Records an action before its change; when that fails the change is
    // not made and the item fails.
    void recordChecked(SweepAction action) {
        try {
            recordAction(std::move(action));
        } catch (const std::exception& error) {
            dropUnrecordedAction();
            throw CleanFailure(platform::localizedFormat(
                "The privacy sweep could not be recorded, so nothing was changed: %@", {describeRecordFailure(error)}));
        }
    }

    void dropUnrecordedAction() { actions_.pop_back(); }

    void saveRecord(bool inProgress) {
        record_->actions = actions_;
        record_->freedBytes = result_.freed;
        services_.journal.recordSweep(*record_, inProgress);
    }

    void finish() {
        if (sweepID_ && !sweepRefusal_) {
            try {
                saveRecord(false);
            } catch (const std::exception& error) {
                // Still marked as running in its folder; the next start takes it over.
                platform::warn("Could not finish the sweep record: " + describeRecordFailure(error));
            }
            if (!actions_.empty()) result_.sweepRecord = record_;
        }
        // Posted after the last event, so the caller sees the events first.
        engine_.mainQueue().post([done = std::move(done_), result = std::move(result_)]() mutable {
            if (done) done(std::move(result));
        });
    }

    // The clipboard is read and cleared on the main thread, its backup is
    // written here; each step waits for the one before.
    void clearPasteboard() {
        auto self = shared_from_this();
        engine_.mainQueue().post([self] {
            auto text = self->services_.clipboard.text().value_or("");
            self->engine_.executor().submit([self, text = std::move(text)] {
                std::string backup;
                try {
                    backup = self->services_.journal.backupPasteboard(text, *self->sweepID_);
                } catch (const std::exception& error) {
                    self->fail(describe(error), "Could not delete ");
                    self->advance();
                    return;
                }
                try {
                    self->recordAction(newAction(SweepActionKind::pasteboardCleared,
                                                 std::string(model::kClipboardClearedLabel), std::nullopt, backup,
                                                 "pasteboard"));
                } catch (const std::exception& error) {
                    self->dropUnrecordedAction();
                    self->fail(describe(error), "Could not delete ");
                    self->advance();
                    return;
                }
                self->engine_.mainQueue().post([self] {
                    self->services_.clipboard.clear();
                    self->engine_.executor().submit([self] {
                        self->succeed(self->item().sizeBytes);
                        self->advance();
                    });
                });
            });
        });
    }

    void advance() {
        ++index_;
        next();
    }

    void refuseUnless(const std::string& path, Use use) const {
        if (auto refusal = guard_.refusal(path, use)) throw CleanFailure(*refusal);
    }

    // What removing the entry at `path` gives back to the disk, read just
    // before it goes: a file with other names (hard links) frees nothing
    // until its last name goes.
    [[nodiscard]] std::int64_t freedByRemoving(const std::string& path) const {
        const auto attributes = services_.fileSystem.attributes(path);
        if (!attributes) return 0;
        if (attributes->isDirectory()) return engine_.allocatedSizeOfPath(path);
        return attributes->linkCount > 1 ? 0 : CleanerEngine::fileBytes(*attributes);
    }

    std::int64_t deleteItem(const CleanItem& item) {
        auto& fileSystem = services_.fileSystem;
        if (item.isReadOnly) {
            throw CleanFailure(item.warningMessage.value_or(platform::localized("This item cannot be removed here")));
        }
        switch (item.deletionMethod.kind()) {
        case Kind::remove: {
            refuseUnless(item.path, Use::removeEntry);
            if (!fileSystem.exists(item.path)) return 0;
            const auto bytes = freedByRemoving(item.path);
            const bool backedUp = item.category == model::CategoryType::privacy && sweepID_;
            if (backedUp) {
                const auto backup = services_.journal.backupFile(item.path, *sweepID_);
                recordChecked(newAction(SweepActionKind::recentsCleared, item.name, item.path, backup, item.path));
            }
            if (auto error = fileSystem.removeItem(item.path)) {
                if (backedUp && freedBeforeFailing(item.path, bytes) < 1) dropLastAction();
                failPartway(item, bytes, error);
            }
            return bytes;
        }
        case Kind::evictICloud: {
            refuseUnless(item.path, Use::changeInPlace);
            if (!fileSystem.exists(item.path)) return 0;
            const auto bytes = freedByRemoving(item.path);
            if (auto error = services_.icloud.evict(item.path)) throw CleanFailure(*error);
            return bytes;
        }
        case Kind::truncateFile: {
            refuseUnless(item.path, Use::changeInPlace);
            if (!fileSystem.exists(item.path) || !sweepID_) return 0;
            const auto attributes = fileSystem.attributes(item.path);
            const auto bytes = attributes ? CleanerEngine::fileBytes(*attributes) : 0;
            const auto backup = services_.journal.backupFile(item.path, *sweepID_);
            recordChecked(newAction(SweepActionKind::fileTruncated, item.name, item.path, backup, item.path));
            if (auto error = fileSystem.truncateFile(item.path)) {
                dropLastAction();
                throw CleanFailure(platform::localizedFormat("\u201C%1$@\u201D could not be emptied: %2$@.",
                                                             {fileName(item.path), platform::fileErrorText(error)}));
            }
            return bytes;
        }
        case Kind::clearPasteboard:
            return 0;  // only without a sweep; with one it waits for the main thread
        case Kind::emptyTrash:
            return clearDirectoryContents(item, true,
                                          platform::localized("Could not empty Trash. Some items may be locked or in use."));
        case Kind::clearDirectoryContents:
            return clearDirectoryContents(
                item, false,
                platform::localized(
                    "Could not clear directory contents. Some items may be locked or require different permissions."));
        case Kind::clearTrackerCookies:
            return clearTrackerCookies(item);
        }
        return 0;
    }

    std::int64_t clearDirectoryContents(const CleanItem& item, bool isTrash, const std::string& failureText) {
        refuseUnless(item.path, Use::changeInPlace);
        auto& fileSystem = services_.fileSystem;
        if (!fileSystem.exists(item.path)) return 0;
        // A desktop Trash keeps its folders: only what they hold goes.
        std::vector<std::string> folders;
        if (isTrash) {
            for (const auto* part : kTrashFolders) {
                const auto folder = item.path + "/" + part;
                if (auto attributes = fileSystem.attributes(folder); attributes && attributes->isDirectory()) {
                    folders.push_back(folder);
                }
            }
        }
        const bool keepsFolders = !folders.empty();
        if (!keepsFolders) folders.push_back(item.path);
        std::int64_t freed = 0;
        int failures = 0;
        for (const auto& folder : folders) {
            std::map<std::string, std::int64_t> sizes;
            const auto removal = fileSystem.removeContents(
                folder, {.skipHiddenEntries = isTrash && !keepsFolders},
                [&](const std::string& entry) { sizes[entry] = freedByRemoving(entry); });
            if (!removal.listed) {
                throw CleanFailure(platform::localizedFormat("\u201C%@\u201D could not be read.", {fileName(folder)}));
            }
            for (const auto& entry : removal.removed) freed += sizes[entry];
            for (const auto& [entry, error] : removal.failures) {
                freed += freedBeforeFailing(entry, sizes[entry]);
                platform::warn("Could not delete item " + entry + ": " + removalMessage(entry, error));
            }
            failures += static_cast<int>(removal.failures.size());
        }
        if (failures == 0) return freed;
        if (freed < 1) throw CleanFailure(failureText);
        throw PartialDirectoryClearError(freed, failures, failureText);
    }

    // What a removal that failed part-way still freed of a folder that held
    // `sizeBefore` bytes.
    [[nodiscard]] std::int64_t freedBeforeFailing(const std::string& path, std::int64_t sizeBefore) const {
        return std::max<std::int64_t>(sizeBefore - engine_.allocatedSizeOfPath(path), 0);
    }

    // A folder whose removal stopped at entries that would not go: what went
    // counts, and the entries left are the ones that failed.
    [[noreturn]] void failPartway(const CleanItem& item, std::int64_t sizeBefore, std::error_code error) const {
        const auto freed = freedBeforeFailing(item.path, sizeBefore);
        const auto message = removalMessage(item.path, error);
        if (freed < 1) throw CleanFailure(message);
        int left = 0;
        if (auto walk = services_.fileSystem.walk(item.path, {})) {
            while (auto entry = walk->next()) left += entry->attributes.isDirectory() ? 0 : 1;
        }
        throw PartialDirectoryClearError(freed, std::max(left, 1), message);
    }

    std::int64_t clearTrackerCookies(const CleanItem& item) {
        const auto& cookies = *item.deletionMethod.trackerCookies();
        if (item.privacyStoreBusy) throw CleanFailure(scanners::busyStoreNotice(cookies.browser));
        if (cookies.browser != model::BrowserKind::safari) {
            if (const auto hold = scanners::runningBrowserHold(cookies.storePath))
                throw CleanFailure(scanners::busyStoreNotice(cookies.browser, *hold));
        }
        if (!sweepID_) return 0;
        refuseUnless(cookies.storePath, Use::changeInPlace);
        const auto backup = services_.journal.backupFile(cookies.storePath, *sweepID_);
        const std::string browser(scanners::browserDisplayName(cookies.browser));
        // One action for the whole store until the removal has said what it found.
        std::string joined;
        for (const auto& domain : cookies.domains) joined += (joined.empty() ? "" : ", ") + domain;
        recordChecked(newAction(SweepActionKind::cookieDomain, model::trackerCookiesLabel(browser), joined, backup,
                                cookies.storePath));
        std::int64_t removed = 0;
        try {
            if (cookies.browser == model::BrowserKind::safari) {
                const std::set<std::string> domains(cookies.domains.begin(), cookies.domains.end());
                removed = services_.cookieStore.removeTrackerCookiesFromBinaryCookies(cookies.storePath, domains);
            } else {
                removed = services_.cookieStore.removeTrackerCookiesFromSQLite(cookies.storePath, cookies.domains,
                                                                               cookies.browser);
            }
        } catch (...) {
            dropLastAction();
            throw;
        }
        services_.journal.noteSweptState(backup);
        if (cookies.domains.empty()) {
            dropLastAction();
        } else if (removed >= 1) {
            actions_.pop_back();
            // ".x.com" and "x.com" are one domain and one action, which undoes both.
            for (auto domain : model::distinctCookieDomains(cookies.domains)) {
                if (domain.starts_with('.')) domain.erase(0, 1);
                actions_.push_back(newAction(SweepActionKind::cookieDomain, browser + ": " + domain, domain, backup,
                                             cookies.storePath));
            }
            try {
                saveRecord(true);
            } catch (const std::exception& error) {
                // The store's one action recorded before still undoes every domain.
                platform::warn("Could not update the sweep record: " + describeRecordFailure(error));
            }
        }
        // The store keeps its size until its browser compacts it: rows removed free nothing.
        return 0;
    }

    CleanerEngine& engine_;
    CleanServices& services_;
    DeletionGuard guard_;
    std::vector<CleanItem> items_;
    CleaningProgressHandler progress_;
    std::function<void(DeleteResult)> done_;

    std::size_t index_ = 0;
    std::optional<platform::Uuid> sweepID_;
    std::optional<model::SweepRecord> record_;
    // Why privacy items are left alone: their sweep could not be recorded.
    std::optional<std::string> sweepRefusal_;
    std::vector<SweepAction> actions_;
    DeleteResult result_;
};

}  // namespace

PartialDirectoryClearError::PartialDirectoryClearError(std::int64_t freedBytes, int failureCount,
                                                       std::string baseMessage)
    : std::runtime_error(platform::localizedFormat(N_COUNTED("%@ %lld item(s) could not be deleted."),
                                                   {baseMessage, platform::formatCount(failureCount)})),
      freedBytes(freedBytes),
      failureCount(failureCount),
      baseMessage(std::move(baseMessage)) {}

void startCleanRun(CleanerEngine& engine, CleanServices& services, std::vector<model::CleanItem> items,
                   CleaningProgressHandler progress, std::function<void(DeleteResult)> done) {
    auto run = std::make_shared<CleanRun>(engine, services, std::move(items), std::move(progress), std::move(done));
    engine.executor().submit([run] { run->start(); });
}

}  // namespace zentrel::engine
