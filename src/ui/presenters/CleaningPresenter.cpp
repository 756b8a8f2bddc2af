#include "ui/presenters/CleaningPresenter.hpp"

#include "viewmodels/CleanFigureText.hpp"

#include "platform/text/ByteCountFormatter.hpp"
#include "platform/text/Localization.hpp"
#include "platform/text/NumberFormatter.hpp"
#include "ui/presenters/MainContentPresenter.hpp"

#include <variant>

namespace zentrel::ui {
namespace {

using Kind = model::CleaningActivityEntry::Status::Kind;
namespace state = model::scan_state;

}  // namespace

CleaningSummary cleaningSummary(const viewmodels::ScanViewModel& vm) {
    CleaningSummary summary;
    summary.title = platform::localized("Cleaning up");
    if (const auto* cleaning = std::get_if<state::Cleaning>(&vm.scanState())) summary.progress = cleaning->progress;

    const auto& rows = vm.cleaningActivity();
    std::int64_t finished = 0;
    std::int64_t failed = 0;
    for (const auto& row : rows) {
        if (row.status.kind == Kind::deleted || row.status.kind == Kind::failed) ++finished;
        if (row.status.kind == Kind::failed) ++failed;
    }
    if (vm.cleaningTotalCount() >= 1) {
        summary.countLine = platform::localizedFormat(
            N_COUNTED("%1$lld of %2$lld items"), {platform::formatCount(finished), platform::formatCount(vm.cleaningTotalCount())});
    }
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        if (row->status.kind != Kind::inProgress) continue;
        summary.current = CleaningCurrentItem{platform::localized("Deleting"), row->name, vm.categoryTitle(row->category)};
        break;
    }
    if (failed >= 1)
        summary.failureLine = platform::localizedFormat(N_COUNTED("%lld item(s) could not be deleted"), {platform::formatCount(failed)});
    return summary;
}

ActivityRow activityRow(const model::CleaningActivityEntry& entry, model::ViewMode mode) {
    ActivityRow row;
    row.status = entry.status.kind;
    row.name = entry.name;
    row.category = model::categoryTitle(entry.category, mode);
    row.size = entry.sizeFormatted;
    std::string word;
    switch (entry.status.kind) {
    case Kind::pending:
        row.symbol = "circle";
        word = platform::localized("Waiting");
        break;
    case Kind::inProgress:
        row.nameTone = ActivityTone::primary;
        word = platform::localized("Deleting");
        break;
    case Kind::deleted:
        row.symbol = "checkmark.circle.fill";
        word = platform::localized("Deleted");
        break;
    case Kind::failed:
        row.symbol = "xmark.circle.fill";
        row.nameTone = ActivityTone::danger;
        if (!entry.status.error.empty()) row.message = entry.status.error;
        word = platform::localizedFormat("Could not delete: %@", {entry.status.error});
        break;
    }
    row.accessibleLabel = word + ". " + row.name + ", " + row.category + ", " + row.size;
    return row;
}

CleanedPageContent cleanedPage(std::int64_t freedBytes, std::int64_t leftBytes, std::int64_t trackerCookies) {
    const auto result = viewmodels::cleanResultText(freedBytes, trackerCookies);
    CleanedPageContent page{
        platform::localized("All Clean!"),
        result,
        std::nullopt,
        // TRANSLATORS: %@ is what the clean did ("2 MB freed", "2 MB freed and 3 tracker cookies removed").
        platform::localizedFormat("All clean. %@.", {result}),
        platform::localized("Done"),
        platform::localized("Returns to your scan results."),
    };
    if (leftBytes >= 1) {
        const auto left = platform::formatByteCount(leftBytes, platform::ByteCountStyle::file);
        page.title = platform::localized("Cleaned");
        page.leftText = platform::localizedFormat("%@ still to clean", {left});
        // TRANSLATORS: %1$@ is what the clean did ("2 MB freed", "2 MB freed and 3 tracker cookies removed").
        page.accessibleLabel = platform::localizedFormat("Cleaned. %1$@, %2$@ still to clean.", {result, left});
    }
    return page;
}

void finishCleaned(viewmodels::ScanViewModel& vm) {
    if (std::holds_alternative<state::Cleaned>(vm.scanState())) vm.scanState.set(state::Done{});
}

ErrorPageContent errorPage(const std::string& message) {
    return {
        platform::localized("Something went wrong"),
        message,
        platform::localized("Try Again"),
        platform::localized("Retries the last scan action."),
    };
}

void tryAgain(viewmodels::ScanViewModel& vm) {
    if (const auto category = vm.sidebarSelection().category()) {
        vm.scanCategory(*category, true);
    } else {
        startFullScan(vm);
    }
}

}  // namespace zentrel::ui
