#include "ui/presenters/ScanProgressPresenter.hpp"

#include "engine/CleanerEngine.hpp"
#include "platform/Localization.hpp"

#include <variant>

namespace zentrel::ui {

CategoryScanPromptContent categoryScanPrompt(model::CategoryType category, model::ViewMode mode) {
    return {
        model::categoryTitle(category, mode),
        platform::localized("Scan this category to find items you can clean."),
        std::string(model::icon(category)),
        model::color(category),
        platform::localized("Scan Category"),
        "magnifyingglass",
        platform::localized("Scans only this category, not your entire Mac."),
    };
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
