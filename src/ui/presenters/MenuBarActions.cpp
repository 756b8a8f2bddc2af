#include "ui/presenters/MenuBarActions.hpp"

#include "platform/text/ByteCountFormatter.hpp"
#include "platform/text/Localization.hpp"

namespace zentrel::ui {
namespace {

constexpr std::size_t kQuestionNames = 5;

CleanConfirmation safeItemsConfirmation(const viewmodels::ScanViewModel& vm, const std::string& sizeText) {
    CleanConfirmation confirmation;
    confirmation.title = platform::localizedFormat("Quick Clean %@?", {sizeText});
    confirmation.message = platform::localized(
        "Only files marked \"Safe to delete\" will be permanently removed. This action cannot be undone.");
    confirmation.deleteLabel = platform::localizedFormat("Delete %@", {sizeText});
    const auto safe = vm.smartCleanupPlan().items;
    for (const auto& item : safe) {
        confirmation.itemIds.insert(item.id);
        confirmation.bytes += item.sizeBytes;
    }
    nameConfirmedItems(confirmation, safe, kQuestionNames);
    return confirmation;
}

CleanConfirmation scanAndCleanConfirmation(const viewmodels::ScanViewModel& vm, const std::string& sizeText) {
    CleanConfirmation confirmation;
    confirmation.title = platform::localizedFormat("Quick Clean %@?", {sizeText});
    confirmation.message =
        platform::localized("Zentrel will scan your Mac first, then clean safe items. This action cannot be undone.");
    confirmation.deleteLabel = platform::localizedFormat("Scan & Clean %@", {sizeText});
    confirmation.bytes = vm.safeCleanableBytes();
    return confirmation;
}

}  // namespace

MenuBarActions::MenuBarActions(viewmodels::ScanViewModel& viewModel, std::function<void()> openMainWindow)
    : viewModel_(viewModel), openMainWindow_(std::move(openMainWindow)) {}

void MenuBarActions::scanNow() {
    openMainWindow_();
    if (viewModel_.isCleaning()) return;
    viewModel_.resetScan(true);
    viewModel_.startScan(false, true, false, false);
}

std::optional<QuickCleanQuestion> MenuBarActions::quickClean() {
    const auto sizeText = platform::formatByteCount(viewModel_.safeCleanableBytes(), platform::ByteCountStyle::file);
    openMainWindow_();
    if (viewModel_.isCleaning() || !viewModel_.hasCleanableData()) return std::nullopt;
    // Items known only from the last scan's figures are found again before they are cleaned.
    if (!viewModel_.smartCleanupPlan().items.empty())
        return QuickCleanQuestion{QuickCleanQuestion::Kind::cleanResult, safeItemsConfirmation(viewModel_, sizeText),
                                  platform::localized("Review First")};
    return QuickCleanQuestion{QuickCleanQuestion::Kind::scanAndClean, scanAndCleanConfirmation(viewModel_, sizeText),
                              {}};
}

void MenuBarActions::answer(const QuickCleanQuestion& question, QuickCleanAnswer answer) {
    switch (answer) {
    case QuickCleanAnswer::cancel: return;
    case QuickCleanAnswer::reviewFirst:
        // The first category page this desktop shows.
        if (!viewModel_.categories().empty())
            viewModel_.sidebarSelection.set(model::SidebarSelection::category(viewModel_.categories().front()));
        return;
    case QuickCleanAnswer::clean: break;
    }
    // The state is read again: the question may have stood open for a while.
    if (viewModel_.isCleaning()) return;
    if (question.kind == QuickCleanQuestion::Kind::cleanResult) {
        // Exactly the items the question named, or nothing when they went.
        (void)confirmClean(viewModel_, question.confirmation);
        return;
    }
    if (!viewModel_.smartCleanupPlan().items.empty()) {
        viewModel_.selectRecommended();
        viewModel_.startClean(std::nullopt, false);
    } else if (viewModel_.hasCleanableData()) {
        viewModel_.resetScan(true);
        viewModel_.startScan(false, true, true, false);
    }
}

void MenuBarActions::openPage(const model::SidebarSelection& page) {
    viewModel_.sidebarSelection.set(page);
    openMainWindow_();
}

}  // namespace zentrel::ui
