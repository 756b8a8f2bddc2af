// zentrel-cli undo: lists the privacy sweeps of the last day that can still
// be undone, and puts back one action or every action of one sweep from the
// backups the clean made.

#include "app/cli/CliCommand.hpp"
#include "app/cli/SweepLogAccess.hpp"
#include "engine/DeletionGuard.hpp"
#include "model/SweepActionTitle.hpp"
#include "platform/desktop/MemoryClipboard.hpp"
#include "platform/files/PosixFileSystem.hpp"
#include "platform/text/Localization.hpp"
#include "scanners/privacy/SweepJournal.hpp"

#include <algorithm>
#include <iostream>

namespace zentrel::cli {
namespace {

using platform::localized;
using platform::localizedFormat;

void list(const std::vector<model::SweepRecord>& log) {
    if (log.empty()) {
        std::cout << localized("No privacy sweep can be undone.") << "\n";
        return;
    }
    for (const auto& record : log) {
        std::cout << localizedFormat("Sweep %@", {record.id.string()}) << "\n";
        for (const auto& action : record.actions) {
            std::cout << "  " << (action.isRestored ? "[" + localized("restored") + "] " : "") << action.id.string() << "  "
                      << model::sweepActionTitle(action) << "\n";
        }
    }
}

// Puts one action back and marks it, and any other action undone with it,
// restored in the log and in `record`; false with a message on failure.
bool restore(model::SweepRecord& record, const model::SweepAction& action, scanners::SweepJournal& journal,
             model::UserPreferences& preferences) {
    if (action.kind == model::SweepActionKind::pasteboardCleared) {
        std::cerr << "zentrel-cli: "
                  << localizedFormat("%@: the clipboard can only be restored from the app", {model::sweepActionTitle(action)})
                  << "\n";
        return false;
    }
    platform::MemoryClipboard noClipboard;
    scanners::SweepJournal::Restored restored;
    try {
        restored = journal.restoreAction(action, noClipboard, record.actions);
    } catch (const std::exception& error) {
        std::cerr << "zentrel-cli: " << error.what() << "\n";
        return false;
    }
    const auto& undone = restored.undone;
    for (auto& each : record.actions) {
        if (std::find(undone.begin(), undone.end(), each.id) == undone.end()) continue;
        preferences.markSweepActionRestored(record.id, each.id);
        each.isRestored = true;
    }
    // Rows the store holds again settle the action: nothing of it was lost.
    std::cout << (restored.alreadyBack ? localizedFormat("%@: already restored", {model::sweepActionTitle(action)})
                                       : localizedFormat("Restored %@", {model::sweepActionTitle(action)}))
              << "\n";
    return true;
}

int runUndo(const Arguments& arguments) {
    if (!arguments.option("--home")) {
        std::cerr << "zentrel-cli: " << localized("undo changes files; name the home folder with --home DIR") << "\n";
        return 2;
    }
    const auto layout = hostLayout(arguments);
    SweepLogAccess sweepLog(layout);
    auto& preferences = sweepLog.preferences();
    preferences.pruneExpiredSweepRecords();
    const auto table = hostTable(arguments, platform::PosixFileSystem::shared());
    const engine::DeletionGuard guard(platform::PosixFileSystem::shared(), table);
    scanners::SweepJournal journal(scanners::SweepJournal::placesFor(table), [&guard](const std::string& path) {
        return guard.refusal(path, engine::DeletionGuard::Use::removeEntry);
    });
    sweepLog.adoptRecordedSweeps(journal);
    auto log = preferences.sweepLog();

    const auto sweep = arguments.option("--sweep");
    const auto actionID = arguments.option("--action");
    if (!sweep && !actionID) {
        sweepLog.purgeBackups(journal);
        list(log);
        return 0;
    }
    bool matched = false;
    bool allRestored = true;
    for (auto& record : log) {
        for (std::size_t i = 0; i < record.actions.size(); ++i) {
            const auto action = record.actions[i];
            const bool wanted = actionID ? action.id.string() == *actionID : record.id.string() == *sweep;
            if (!wanted || (sweep && record.id.string() != *sweep)) continue;
            matched = true;
            if (action.isRestored && !actionID) continue;
            allRestored = restore(record, action, journal, preferences) && allRestored;
        }
    }
    sweepLog.purgeBackups(journal);
    if (!matched) {
        std::cerr << "zentrel-cli: "
                  << (actionID ? localizedFormat("no sweep of the last day has the action %@", {*actionID})
                               : localizedFormat("no sweep of the last day has the id %@", {*sweep}))
                  << "\n";
        return 2;
    }
    return allRestored ? 0 : 1;
}

CliCommandRegistration undo{{.name = "undo",
                             .usage = N_("undo --home DIR [--system-root DIR] [--layout linux|macos] "
                                      "[--sweep ID | --action ID]"),
                             .summary = N_("List the privacy sweeps that can be undone, or put one sweep or action back"),
                             .options = withHostTableOptions(
                                 {{"--sweep", ValueKind::text}, {"--action", ValueKind::text}}),
                             .run = runUndo}};

}  // namespace
}  // namespace zentrel::cli
