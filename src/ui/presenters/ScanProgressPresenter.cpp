#include "ui/presenters/ScanProgressPresenter.hpp"

#include "engine/CleanerEngine.hpp"
#include "engine/ScanDateFormatter.hpp"
#include "platform/text/ByteCountFormatter.hpp"
#include "platform/text/Localization.hpp"
#include "platform/text/NumberFormatter.hpp"

#include <variant>

namespace zentrel::ui {

CategoryScanPromptContent categoryScanPrompt(const viewmodels::ScanViewModel& vm, model::CategoryType category,
                                             const std::string& language, const std::string& timeZone) {
    CategoryScanPromptContent prompt{
        vm.categoryTitle(category),
        {},
        platform::localized("Scan this category to find items you can clean."),
        std::string(model::icon(category)),
        model::color(category),
        platform::localized("Scan Category"),
        "magnifyingglass",
        platform::localized("Scans only this category, not your entire Mac."),
    };
    const auto figures = vm.categoryFigures(category);
    if (!figures.fromLastScan || figures.bytes < 1) return prompt;
    prompt.lastScanFigures = platform::formatByteCount(figures.bytes, platform::ByteCountStyle::file);
    if (figures.itemCount)
        prompt.lastScanFigures += " \u00B7 " + platform::localizedFormat(N_COUNTED("%lld items"), {platform::formatCount(*figures.itemCount)});
    prompt.message =
        figures.lastScanDate
            ? platform::localizedFormat("These figures are from the last scan on %@. Scan this category again to see "
                                        "the items and clean them.",
                                        {engine::ScanDateFormatter(language, timeZone).format(*figures.lastScanDate)})
            : platform::localized("These figures are from the last scan. Scan this category again to see the items "
                                  "and clean them.");
    return prompt;
}

void scanCategoryFromPrompt(viewmodels::ScanViewModel& vm, model::CategoryType category) {
    vm.scanCategory(category, true);
}

ScanProgress categoryWaitingProgress(const viewmodels::ScanViewModel& vm) {
    auto progress = scanningProgress(vm);
    if (!progress.message.empty()) return progress;
    if (const auto category = vm.lazyScanningCategory()) {
        progress.message = engine::CleanerEngine::scanningLabel(*category);
    } else if (const auto page = vm.sidebarSelection().category()) {
        progress.message = engine::CleanerEngine::scanningLabel(*page);
    } else {
        progress.message = platform::localized("Scanning\u2026");
    }
    return progress;
}

ScanProgress scanningProgress(const viewmodels::ScanViewModel& vm) {
    if (const auto* scanning = std::get_if<model::scan_state::Scanning>(&vm.scanState()))
        return {scanning->progress, scanning->message};
    return {};
}

}  // namespace zentrel::ui
