#include "ui/presenters/MainContentPresenter.hpp"

#include "platform/text/ByteCountFormatter.hpp"
#include "platform/text/Localization.hpp"
#include "platform/text/NumberFormatter.hpp"
#include "viewmodels/CleanFigureText.hpp"

#include <algorithm>
#include <map>
#include <variant>

namespace zentrel::ui {
namespace {

using model::CategoryType;
using Page = model::SidebarSelection::Page;
namespace state = model::scan_state;

constexpr std::size_t kListedFailures = 5;
constexpr std::size_t kConfirmationNames = 5;
constexpr const char* kPrivacySentence =
    N_("Privacy sweep actions are logged and can be undone within 24 hours from the sweep log.");

template <class State>
bool holds(const model::ScanState& scanState) {
    return std::holds_alternative<State>(scanState);
}

std::string count(std::size_t value) { return platform::formatCount(value); }

}  // namespace

const state::Cleaned* shownCleanResult(const viewmodels::ScanViewModel& vm) {
    const auto* cleaned = std::get_if<state::Cleaned>(&vm.scanState());
    if (cleaned == nullptr) return nullptr;
    const auto selection = vm.sidebarSelection();
    const bool owner = cleaned->category ? selection.category() == cleaned->category : selection.page() == Page::overview;
    return owner ? cleaned : nullptr;
}

DetailRoute detailRoute(const viewmodels::ScanViewModel& vm) {
    using Kind = DetailRoute::Kind;
    const auto selection = vm.sidebarSelection();
    switch (selection.page()) {
    case Page::smartCleanup: return {Kind::smartCleanup};
    case Page::boost: return {Kind::boost};
    case Page::uninstall: return {Kind::uninstall};
    case Page::features: return {Kind::features};
    case Page::settings: return {Kind::settings};
    case Page::overview:
    case Page::category: break;
    }
    const auto& scanState = vm.scanState();
    if (holds<state::Scanning>(scanState) && !vm.isBackgroundScanning() && !vm.lazyScanningCategory() &&
        selection.page() == Page::overview)
        return {Kind::scanning};
    if (holds<state::Cleaning>(scanState)) return {Kind::cleaning};
    if (const auto* cleaned = shownCleanResult(vm)) {
        const auto left = cleaned->category ? vm.categoryFigures(*cleaned->category).bytes : vm.foundBytes();
        return {.kind = Kind::cleaned, .freedBytes = cleaned->freedBytes, .leftBytes = left,
                .trackerCookies = cleaned->trackerCookies};
    }
    if (const auto* error = std::get_if<state::Error>(&scanState)) return {Kind::error, 0, 0, error->message};
    const auto category = selection.category();
    if (!category) return {Kind::overview};
    // After a restart the last scan's figures are back but not its items: such
    // a category offers a scan rather than claiming to be clean.
    if (vm.scannedCategories().contains(*category) && vm.isLoaded(*category)) return {Kind::results, 0, 0, {}, category};
    if (vm.isBackgroundScanning() || vm.lazyScanningCategory() == category)
        return {Kind::categoryWaiting, 0, 0, {}, category};
    return {Kind::categoryPrompt, 0, 0, {}, category};
}

std::string navigationTitle(const viewmodels::ScanViewModel& vm) {
    if (shownCleanResult(vm) != nullptr) return platform::localized("Cleaned");
    const auto selection = vm.sidebarSelection();
    switch (selection.page()) {
    case Page::smartCleanup: return platform::localized("Smart Cleanup");
    case Page::boost: return platform::localized("Boost");
    case Page::uninstall: return platform::localized("Uninstall Apps");
    case Page::features: return platform::localized("Vietnamese Typing");
    case Page::settings: return platform::localized("Settings");
    case Page::overview: return platform::localized("Overview");
    case Page::category: break;
    }
    return vm.categoryTitle(*selection.category());
}

// Boost, the uninstaller, typing and settings act on nothing a scan found.
bool pageOfItsOwn(Page page) {
    return page == Page::boost || page == Page::uninstall || page == Page::features || page == Page::settings;
}

std::vector<ToolbarItem> toolbarItems(const viewmodels::ScanViewModel& vm) {
    if (pageOfItsOwn(vm.sidebarSelection().page())) return {};
    const auto& scanState = vm.scanState();
    const auto category = vm.sidebarSelection().category();
    if (holds<state::Scanning>(scanState)) {
        if (vm.isBackgroundScanning()) return {};
        return {{ToolbarAction::cancelScan, platform::localized("Cancel"), "", ""}};
    }
    if (holds<state::Idle>(scanState)) {
        if (category)
            return {{ToolbarAction::scanCategory, platform::localized("Scan Category"), "magnifyingglass",
                     platform::localized("Scans only this category, not your entire Mac.")}};
        return {{ToolbarAction::fullScan, platform::localized("Full Scan"), "magnifyingglass",
                 platform::localized("Scans all cleanup categories on your Mac.")}};
    }
    if (!holds<state::Cleaned>(scanState) && !holds<state::Done>(scanState)) return {};

    const auto selected = vm.currentCategoryItems();
    std::int64_t selectedBytes = 0;
    for (const auto& item : selected) selectedBytes += item.sizeBytes;
    // A button that cannot clean names no figure; tracker cookies free no space, so they are counted.
    const bool canClean = !selected.empty();
    ToolbarItem clean{ToolbarAction::clean,
                      canClean ? viewmodels::cleanActionText(selectedBytes, viewmodels::trackerCookieCount(selected))
                               : platform::localized("Clean"),
                      "trash.fill",
                      platform::localized(category ? "Permanently deletes selected items in this category only."
                                                   : N_("Permanently deletes all selected items across every category.")),
                      canClean, true};
    return {
        {ToolbarAction::exportReport, platform::localized("Export"), "square.and.arrow.up", ""},
        category ? ToolbarItem{ToolbarAction::scanCategory, platform::localized("Scan Again"), "", ""}
                 : ToolbarItem{ToolbarAction::fullScan, platform::localized("Full Scan Again"), "", ""},
        std::move(clean),
    };
}

void startFullScan(viewmodels::ScanViewModel& vm) {
    vm.resetScan(true);
    vm.startScan(false, true, false, false);
}

void performScanAction(ToolbarAction action, viewmodels::ScanViewModel& vm) {
    switch (action) {
    case ToolbarAction::cancelScan: vm.cancelScan(); return;
    case ToolbarAction::fullScan: startFullScan(vm); return;
    case ToolbarAction::scanCategory:
        // The toolbar always scans afresh: earlier items of the category go first.
        if (const auto category = vm.sidebarSelection().category()) vm.scanCategory(*category, true);
        return;
    case ToolbarAction::exportReport:
    case ToolbarAction::clean: return;
    }
}

CleanConfirmation cleanConfirmation(const viewmodels::ScanViewModel& vm) {
    return cleanConfirmation(vm, vm.currentCategoryItems(), vm.sidebarSelection().category());
}

CleanConfirmation cleanConfirmation(const viewmodels::ScanViewModel& vm, const std::vector<model::CleanItem>& scope,
                                    std::optional<model::CategoryType> category) {
    CleanConfirmation confirmation;
    confirmation.category = category;
    std::size_t privacyCount = 0;
    std::int64_t reviewCount = 0;
    std::int64_t cookies = 0;
    for (const auto& item : scope) {
        confirmation.itemIds.insert(item.id);
        confirmation.bytes += item.sizeBytes;
        cookies += viewmodels::trackerCookieCount(item);
        if (item.category == CategoryType::privacy) ++privacyCount;
        if (item.safetyLevel == model::SafetyLevel::review) ++reviewCount;
    }
    nameConfirmedItems(confirmation, scope, kConfirmationNames);
    confirmation.canBeUndone = privacyCount > 0 && privacyCount == scope.size();

    const auto sizeText = viewmodels::cleanFigureText(confirmation.bytes, cookies);
    confirmation.title = platform::localizedFormat(N_COUNTED("Delete %lld items (%@)?"), {count(scope.size()), sizeText});
    confirmation.deleteLabel = platform::localizedFormat("Delete %@", {sizeText});

    if (confirmation.category) {
        std::string tail;
        if (privacyCount > 0) {
            tail = platform::localized(kPrivacySentence);
        } else if (reviewCount > 0) {
            tail = platform::localizedFormat(
                N_COUNTED("%lld item(s) marked \"Review before deleting\" are included. This action cannot be undone."),
                {platform::formatCount(reviewCount)});
        } else {
            tail = platform::localized("This action cannot be undone.");
        }
        confirmation.message = platform::localizedFormat("Only selected items in %@ will be deleted.",
                                                         {vm.categoryTitle(*confirmation.category)}) +
                               " " + tail;
    } else if (privacyCount > 0 && privacyCount < scope.size()) {
        // Say of each part what becomes of it.
        std::int64_t undoable = 0;
        for (const auto& item : scope)
            if (item.category == CategoryType::privacy) undoable += item.sizeBytes;
        const auto fileSize = [](std::int64_t bytes) {
            return platform::formatByteCount(bytes, platform::ByteCountStyle::file);
        };
        confirmation.message =
            platform::localizedFormat(N_COUNTED("%lld item(s) (%@) will be permanently deleted; this cannot be undone."),
                                      {count(scope.size() - privacyCount), fileSize(confirmation.bytes - undoable)}) +
            " " +
            platform::localizedFormat(N_COUNTED("%lld privacy item(s) (%@) can be undone within 24 hours from the sweep log."),
                                      {count(privacyCount), viewmodels::cleanFigureText(undoable, cookies)});
    } else if (privacyCount > 0) {
        confirmation.message = platform::localized(kPrivacySentence);
    } else if (reviewCount > 0) {
        confirmation.message = platform::localizedFormat(
            N_COUNTED("%lld item(s) marked \"Review before deleting\" are included. This action cannot be undone."),
            {platform::formatCount(reviewCount)});
    } else {
        confirmation.message =
            platform::localized("All selected items will be permanently deleted. This action cannot be undone.");
    }
    return confirmation;
}

void nameConfirmedItems(CleanConfirmation& confirmation, const std::vector<model::CleanItem>& items, std::size_t limit) {
    struct Label {
        std::string title;
        std::int64_t bytes = 0;
        std::int64_t count = 0;
        std::int64_t cookies = 0;
    };
    std::vector<Label> labels;
    std::map<std::string, std::size_t> index;
    for (const auto& item : items) {
        auto [at, inserted] = index.emplace(item.displayTitle(), labels.size());
        if (inserted) labels.push_back({item.displayTitle()});
        labels[at->second].bytes += item.sizeBytes;
        labels[at->second].cookies += viewmodels::trackerCookieCount(item);
        ++labels[at->second].count;
    }
    std::stable_sort(labels.begin(), labels.end(), [](const Label& a, const Label& b) { return a.bytes > b.bytes; });
    confirmation.firstNames.clear();
    std::int64_t named = 0;
    for (const auto& label : labels) {
        if (confirmation.firstNames.size() >= limit) break;
        // Each name with what it takes, as its row shows it: "VS Code junk (3), 30 KB".
        const auto name = label.count > 1 ? label.title + " (" + platform::formatCount(label.count) + ")" : label.title;
        confirmation.firstNames.push_back(
            platform::localizedFormat("%@, %@", {name, viewmodels::cleanFigureText(label.bytes, label.cookies)}));
        named += label.count;
    }
    confirmation.moreCount = static_cast<std::int64_t>(items.size()) - named;
}

bool confirmClean(viewmodels::ScanViewModel& vm, const CleanConfirmation& confirmation) {
    if (confirmation.itemIds.empty()) return false;
    std::size_t present = 0;
    for (const auto& item : vm.result().items) {
        if (confirmation.itemIds.contains(item.id)) ++present;
    }
    if (present != confirmation.itemIds.size()) return false;
    vm.selectOnly(confirmation.itemIds, confirmation.category);
    vm.startClean(confirmation.category, false);
    return true;
}

std::string cleanFailureMessage(const std::vector<model::CleanFailureInfo>& failures, std::int64_t freedBytes) {
    std::vector<std::string> paragraphs;
    if (freedBytes >= 1) paragraphs.push_back(viewmodels::cleanResultText(freedBytes, 0));
    paragraphs.push_back(
        platform::localizedFormat(N_COUNTED("%lld item(s) could not be deleted:"), {platform::formatCount(failures.size())}));
    if (!failures.empty()) {
        std::string lines;
        for (std::size_t i = 0; i < failures.size() && i < kListedFailures; ++i) {
            const auto& failure = failures[i];
            if (i > 0) lines += "\n";
            lines += "\u2022 " + failure.name;
            const auto& detail =
                failure.errorMessage && !failure.errorMessage->empty() ? *failure.errorMessage : failure.path;
            if (!detail.empty()) lines += "\n  " + detail;
        }
        paragraphs.push_back(std::move(lines));
    }
    if (failures.size() > kListedFailures)
        paragraphs.push_back(
            platform::localizedFormat("\u2026and %lld more", {platform::formatCount(failures.size() - kListedFailures)}));
    paragraphs.push_back(
        platform::localized("They may be locked or require different permissions. They remain in your results."));
    std::string message;
    for (const auto& paragraph : paragraphs) {
        if (!message.empty()) message += "\n\n";
        message += paragraph;
    }
    return message;
}

}  // namespace zentrel::ui
