#pragma once
// The navigation column of the main window: the rows that choose the page in
// the detail pane, the scan status as the window's subtitle, and a summary
// panel at the bottom after a scan or a clean. Only the selection is written;
// everything else is redrawn from the view model and the typing manager.

#include "platform/settings/AnnouncedValue.hpp"
#include "platform/text/Localization.hpp"
#include "viewmodels/ScanViewModel.hpp"

#include <QLabel>
#include <QListWidget>
#include <QWidget>

namespace zentrel::ui {

class SidebarRow;

class SidebarView final : public QWidget {
public:
    // `typingEnabled` is the typing manager's switch (its isEnabled).
    SidebarView(viewmodels::ScanViewModel& viewModel, platform::AnnouncedValue<bool>& typingEnabled,
                QWidget* parent = nullptr);

    // "Scanning…", "Cleaning…", "1.2 GB freed", N_("Error"), N_("Ready to scan") or "12 items found".
    [[nodiscard]] QString subtitle() const;
    // Redraws everything; the view mode has no signal of its own.
    void refresh();

    [[nodiscard]] QListWidget* list() const { return list_; }
    [[nodiscard]] SidebarRow* row(const model::SidebarSelection& selection) const;
    [[nodiscard]] QWidget* bottomPanel() const { return panel_; }
    [[nodiscard]] QLabel* panelLabel() const { return panelLabel_; }
    [[nodiscard]] QLabel* panelValue() const { return panelValue_; }

private:
    void rebuildRows();
    void refreshStatus();
    void highlightSelection();
    void markCurrentRow();
    void rebuildPanel();
    void addHeader(const char* title);
    void addRow(const model::SidebarSelection& selection, SidebarRow* row, const char* hint = nullptr);

    viewmodels::ScanViewModel& viewModel_;
    platform::AnnouncedValue<bool>& typingEnabled_;
    QListWidget* list_ = nullptr;
    QWidget* panelHost_ = nullptr;
    QWidget* panel_ = nullptr;
    QLabel* panelLabel_ = nullptr;
    QLabel* panelValue_ = nullptr;
    std::vector<std::pair<model::SidebarSelection, SidebarRow*>> rows_;
    bool applyingSelection_ = false;
    std::vector<platform::Subscription> observers_;
};

}  // namespace zentrel::ui
