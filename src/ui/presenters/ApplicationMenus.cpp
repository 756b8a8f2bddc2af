#include "ui/presenters/ApplicationMenus.hpp"

#include "platform/text/Localization.hpp"

#include <variant>

namespace zentrel::ui {

std::vector<ApplicationMenu> applicationMenus(bool typingEnabled) {
    using C = MenuCommand;
    const auto text = [](const char* key) { return platform::localized(key); };
    return {
        {text(N_("&File")),
         {{C::exportReport, text(N_("Export Report\u2026")), "", false}, {C::quit, text("Quit"), "Ctrl+Q", true}}},
        {text(N_("&Settings")),
         {{C::toggleTyping, text(typingToggleTitle(typingEnabled)), "Ctrl+Shift+Z", false},
          {C::preferences, text(N_("Preferences\u2026")), "Ctrl+Shift+,", true}}},
        {text(N_("&Help")),
         {{C::checkForUpdates, text(N_("Check for Updates\u2026")), "", false},
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
