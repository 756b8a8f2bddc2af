#include "ui/presenters/ApplicationMenus.hpp"

#include "platform/Localization.hpp"

#include <variant>

namespace zentrel::ui {

std::vector<ApplicationMenu> applicationMenus(bool typingEnabled) {
    using C = MenuCommand;
    const auto text = [](const char* key) { return platform::localized(key); };
    return {
        {text("&File"),
         {{C::exportReport, text("Export Report\u2026"), "", false}, {C::quit, text("Quit"), "Ctrl+Q", true}}},
        {text("&Settings"),
         {{C::toggleTyping, text(typingToggleTitle(typingEnabled)), "Ctrl+Shift+Z", false},
          {C::preferences, text("Preferences\u2026"), "Ctrl+Shift+,", true}}},
        {text("&Help"),
         {{C::checkForUpdates, text("Check for Updates\u2026"), "", false},
          {C::about, text("About Zentrel"), "", true}}},
    };
}

bool canExportReport(const viewmodels::ScanViewModel& vm, MainWindowBranch branch) {
    const auto& state = vm.scanState();
    const bool finished = std::holds_alternative<model::scan_state::Done>(state) ||
                          std::holds_alternative<model::scan_state::Cleaned>(state);
    return branch == MainWindowBranch::content && finished && !vm.result().items.empty();
}

}  // namespace zentrel::ui
