#pragma once
// The main window's menu bar, arranged as desktop applications here arrange
// theirs: File (Export Report…, Quit), Settings (the typing toggle,
// Preferences…) and Help (Check for Updates…, About Zentrel). Titles are
// localized; shortcuts are portable key sequences ("Ctrl+Q").

#include "ui/presenters/MainWindowBranch.hpp"
#include "viewmodels/ScanViewModel.hpp"

#include <string>
#include <vector>

namespace zentrel::ui {

enum class MenuCommand { exportReport, quit, toggleTyping, preferences, checkForUpdates, about };

struct MenuEntry {
    MenuCommand command = MenuCommand::quit;
    std::string title;
    std::string shortcut;  // empty: none
    bool separatorBefore = false;

    bool operator==(const MenuEntry&) const = default;
};

struct ApplicationMenu {
    std::string title;  // with its "&" accelerator
    std::vector<MenuEntry> entries;

    bool operator==(const ApplicationMenu&) const = default;
};

[[nodiscard]] std::vector<ApplicationMenu> applicationMenus(bool typingEnabled);

// Export Report… saves the report of the scan on show: only while the window
// shows its content and a finished scan or clean has items, as the toolbar's
// Export.
[[nodiscard]] bool canExportReport(const viewmodels::ScanViewModel& viewModel, MainWindowBranch branch);

}  // namespace zentrel::ui
