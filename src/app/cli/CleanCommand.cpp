// zentrel-cli clean: scans the given home folder, then deletes the items the
// user names, by path or by category, as the window's clean does. Privacy
// changes are backed up and recorded in the sweep log, so `undo` can put them
// back for a day. It never runs on the real home folder by default.

#include "app/cli/CliCommand.hpp"
#include "app/cli/ScanSetup.hpp"
#include "app/cli/SweepLogAccess.hpp"
#include "app/cli/TerminalText.hpp"
#include "platform/text/ByteCountFormatter.hpp"
#include "platform/text/Localization.hpp"

#include <iostream>
#include <set>
#include <variant>

namespace zentrel::cli {
namespace {

using platform::localized;
using platform::localizedFormat;

constexpr std::string_view kCategoryPrefix = "category:";

// The scanned items the selections name, in scan order; an error text when a
// selection names nothing.
std::variant<engine::CleanerEngine::Items, std::string> select(const engine::CleanerEngine::Items& scanned,
                                                               const std::vector<std::string>& selections) {
    std::set<std::size_t> chosen;
    for (const auto& selection : selections) {
        bool found = false;
        if (selection.rfind(kCategoryPrefix, 0) == 0) {
            const auto name = selection.substr(kCategoryPrefix.size());
            const auto category = categoryNamed(name);
            for (std::size_t i = 0; i < scanned.size(); ++i) {
                // A category's entries for every user are listed, never selected.
                if (scanned[i].category == category && !scanned[i].isReadOnly) {
                    chosen.insert(i);
                    found = true;
                }
            }
        } else {
            const auto path = plainAbsolute(selection).string();
            for (std::size_t i = 0; i < scanned.size(); ++i) {
                if (!scanned[i].path.empty() && scanned[i].path == path) {
                    if (scanned[i].isReadOnly)
                        return localizedFormat("\"%@\" is for every user; only an administrator can remove it", {path});
                    chosen.insert(i);
                    found = true;
                }
            }
        }
        if (!found) return localizedFormat("the scan found nothing for \"%@\"", {selection});
    }
    engine::CleanerEngine::Items items;
    for (auto index : chosen) items.push_back(scanned[index]);
    return items;
}

int runClean(const Arguments& arguments) {
    if (!arguments.option("--home")) {
        std::cerr << "zentrel-cli: " << localized("clean deletes files; name the home folder to clean with --home DIR") << "\n";
        return 2;
    }
    const auto selections = arguments.options("--select");
    if (selections.empty()) {
        std::cerr << "zentrel-cli: " << localized("name what to clean with --select PATH or --select category:NAME") << "\n";
        return 2;
    }
    const auto layout = hostLayout(arguments);
    ScanSetup setup(layout, hostTable(arguments, platform::PosixFileSystem::shared()));
    auto selected = select(setup.fullScan(true), selections);
    if (const auto* error = std::get_if<std::string>(&selected)) {
        std::cerr << "zentrel-cli: " << localizedFormat("%@; nothing was deleted", {*error}) << "\n";
        return 2;
    }
    auto items = std::get<engine::CleanerEngine::Items>(std::move(selected));

    SweepLogAccess sweepLog(layout);
    sweepLog.preferences().pruneExpiredSweepRecords();
    sweepLog.adoptRecordedSweeps(setup.journal);
    std::optional<engine::DeleteResult> result;
    setup.engine.cleanItems(
        std::move(items),
        [](const model::CleaningProgressEvent& event) {
            using Kind = model::CleaningProgressEvent::Kind;
            if (event.kind == Kind::started) return;
            std::cout << "[" << event.index + 1 << "/" << event.total << "] ";
            if (event.kind == Kind::succeeded) {
                std::cout << localizedFormat("Cleaned %@", {terminalText(event.item.displayTitle())}) << "\n";
            } else {
                std::cout << localizedFormat("Failed %@: %@", {terminalText(event.item.displayTitle()), event.error}) << "\n";
            }
        },
        [&](engine::DeleteResult done) { result = std::move(done); });
    setup.loop.runUntil([&] { return result.has_value(); });

    std::cout << localizedFormat(N_COUNTED("Freed %@; %lld item(s) failed"),
                                 {platform::formatByteCount(result->freed), std::to_string(result->failedKeys.size())})
              << "\n";
    bool recorded = true;
    if (result->sweepRecord) {
        if (auto error = sweepLog.preferences().appendSweepRecord(*result->sweepRecord)) {
            // Its backups stay: the record in the sweep's own folder is taken over once the settings can be written.
            recorded = false;
            std::cerr << "zentrel-cli: "
                      << localizedFormat("the privacy sweep could not be recorded (%@); it cannot be undone now, and its backups are kept in %@",
                                         {*error, setup.journal.backupRoot() + "/" + result->sweepRecord->id.string()})
                      << "\n";
        } else {
            std::cout << localizedFormat("Privacy changes can be undone until the same time tomorrow: %@",
                                         {"zentrel-cli undo --home " + layout.home.string() + " --sweep " +
                                          result->sweepRecord->id.string()})
                      << "\n";
        }
    }
    sweepLog.purgeBackups(setup.journal);
    return result->failedKeys.empty() && recorded ? 0 : 1;
}

CliCommandRegistration clean{{.name = "clean",
                              .usage = N_("clean --home DIR [--system-root DIR] [--layout linux|macos] "
                                       "--select PATH|category:NAME ..."),
                              .summary = N_("Scan, then delete the named items; privacy changes can be undone for a day"),
                              .options = withHostTableOptions({{"--select", ValueKind::path, true}}),
                              .run = runClean}};

}  // namespace
}  // namespace zentrel::cli
