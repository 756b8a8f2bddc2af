#include "viewmodels/AppIntents.hpp"

#include "platform/text/Localization.hpp"

namespace zentrel::viewmodels {

const std::array<ScanCategoryChoiceInfo, 12>& scanCategoryChoices() {
    static constexpr std::array<ScanCategoryChoiceInfo, 12> choices = {{
        {ScanCategoryChoice::xcode, "xcode", N_("Xcode")},
        {ScanCategoryChoice::devTools, "devTools", N_("Dev Tools")},
        {ScanCategoryChoice::devProjects, "devProjects", N_("Dev Projects")},
        {ScanCategoryChoice::appCaches, "appCaches", N_("App Caches")},
        {ScanCategoryChoice::systemCaches, "systemCaches", N_("System Caches")},
        {ScanCategoryChoice::trash, "trash", N_("Trash & Downloads")},
        {ScanCategoryChoice::largeFiles, "largeFiles", N_("Large Files")},
        {ScanCategoryChoice::iosBackups, "iosBackups", N_("iOS Backups")},
        {ScanCategoryChoice::duplicates, "duplicates", N_("Duplicates")},
        {ScanCategoryChoice::privacy, "privacy", N_("Privacy")},
        {ScanCategoryChoice::startup, "startup", N_("Startup Items")},
        {ScanCategoryChoice::icloud, "icloud", N_("iCloud")},
    }};
    return choices;
}

std::optional<ScanCategoryChoice> scanCategoryChoiceFromRaw(std::string_view raw) {
    for (const auto& info : scanCategoryChoices())
        if (info.rawValue == raw) return info.choice;
    return std::nullopt;
}

model::CategoryType categoryType(ScanCategoryChoice choice) {
    // Both lists keep the same order.
    return model::kAllCategories[static_cast<std::size_t>(choice)];
}

void SmartCleanupIntent::perform(IntentBridge& bridge) const {
    bridge.perform([](ScanViewModel& viewModel) {
        viewModel.sidebarSelection.set(model::SidebarSelection::smartCleanup());
        viewModel.runSmartCleanup();
    });
}

void ScanCategoryIntent::perform(IntentBridge& bridge) const {
    // Opening the category is what shows or scans it.
    bridge.perform([category = categoryType(category)](ScanViewModel& viewModel) {
        viewModel.sidebarSelection.set(model::SidebarSelection::category(category));
    });
}

void FreeUpSpaceIntent::perform(IntentBridge& bridge) const {
    bridge.perform([](ScanViewModel& viewModel) {
        if (!viewModel.result().items.empty()) {
            viewModel.selectRecommended();
            viewModel.startClean(std::nullopt, false);
        } else if (viewModel.safeCleanableBytes() >= 1 &&
                   viewModel.prefs().defaults().integer("lastScanItemCount") >= 1) {
            viewModel.resetScan(true);
            viewModel.startScan(false, true, true, false);
        }
    });
}

std::vector<AppShortcut> zentrelShortcuts(const std::string& applicationName) {
    return {
        {SmartCleanupIntent::title,
         {"Smart Cleanup with " + applicationName, N_("Dọn dẹp thông minh với ") + applicationName},
         "Smart Cleanup",
         "sparkles"},
        {FreeUpSpaceIntent::title,
         {"Free up space with " + applicationName, N_("Giải phóng dung lượng với ") + applicationName},
         "Free Up Space",
         "internaldrive"},
        {ScanCategoryIntent::title,
         {"Scan a category with " + applicationName, N_("Quét nhóm với ") + applicationName},
         "Scan Category",
         "magnifyingglass"},
    };
}

}  // namespace zentrel::viewmodels
