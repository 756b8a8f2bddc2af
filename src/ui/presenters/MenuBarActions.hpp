#pragma once
// What the tray popover's actions do. Each brings the main window forward
// (shown again if it was closed) and then acts on the scan view model: a
// quick scan, Quick Clean after its question, or a page of the window.
// While a clean runs, Scan Now and Quick Clean only bring the window
// forward: they never reset the clean or start a second one.

#include "model/SidebarSelection.hpp"
#include "ui/presenters/MainContentPresenter.hpp"
#include "viewmodels/ScanViewModel.hpp"

#include <functional>
#include <optional>
#include <string>

namespace zentrel::ui {

// Quick Clean's question, fixed when it opens. With a loaded result it
// names the safe items it deletes and offers "Review First"; on the stored
// figures of an earlier run it offers to scan first and clean afterwards.
struct QuickCleanQuestion {
    enum class Kind { cleanResult, scanAndClean };
    Kind kind = Kind::cleanResult;
    CleanConfirmation confirmation;
    std::string reviewLabel;  // empty for scanAndClean
};

enum class QuickCleanAnswer { clean, reviewFirst, cancel };

class MenuBarActions final {
public:
    MenuBarActions(viewmodels::ScanViewModel& viewModel, std::function<void()> openMainWindow);

    void openMainWindow() { openMainWindow_(); }
    void scanNow();
    // None when there is nothing to ask: a clean runs or nothing is cleanable.
    [[nodiscard]] std::optional<QuickCleanQuestion> quickClean();
    void answer(const QuickCleanQuestion& question, QuickCleanAnswer answer);
    // Switches the main window to `page`, then brings it forward.
    void openPage(const model::SidebarSelection& page);

private:
    viewmodels::ScanViewModel& viewModel_;
    std::function<void()> openMainWindow_;
};

}  // namespace zentrel::ui
