#pragma once
// The tray popover: a frameless popup 296 points wide, opened at the tray
// icon (at the pointer where the tray gives no icon geometry). Each time it
// opens it reads the disk, memory, heavy applications, energy digest and the
// scan view model afresh; while open it follows the view model. Its actions
// bring the main window forward (shown again if it was closed), switch its
// page, scan, clean after a question, calm down heavy applications after a
// question, or quit.

#include "platform/concurrency/Clock.hpp"
#include "platform/settings/Observable.hpp"
#include "services/energy/EnergyStore.hpp"
#include "services/energy/SystemPowerSampler.hpp"
#include "services/processes/ProcessSampler.hpp"
#include "ui/panels/MenuBarDialogs.hpp"
#include "ui/presenters/MemorySectionPresenter.hpp"
#include "ui/presenters/MenuBarActions.hpp"
#include "ui/presenters/MenuBarPresenter.hpp"
#include "ui/presenters/PopoverPlacement.hpp"
#include "viewmodels/ScanViewModel.hpp"

#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zentrel::ui {

struct MenuBarServices {
    viewmodels::ScanViewModel& viewModel;
    services::ProcessSampler& processes;
    std::function<bool()> isFocusActive;
    services::EnergyStore& energy;
    services::SystemPowerSampler& power;
    const platform::Clock& clock;
    // A folder on the volume whose space the header shows.
    std::string diskPath;
    // Shows the main window, also after it was closed, and brings it forward.
    std::function<void()> openMainWindow;
    // The main window, as the parent of the clean question; may give none.
    std::function<QWidget*()> mainWindow;
    std::function<void()> quit;
};

class MenuBarView final : public QWidget {
public:
    static constexpr int kWidth = 296;

    explicit MenuBarView(MenuBarServices services, std::unique_ptr<MenuBarDialogs> dialogs = {},
                         QWidget* parent = nullptr);
    ~MenuBarView() override;

    // Reads the figures, then shows the popover at `iconGeometry` (none or
    // empty: at the pointer).
    void popUp(std::optional<QRect> iconGeometry);
    // Reads the figures and builds the content again, without showing it.
    void open();

    [[nodiscard]] QPushButton* button(MenuBarAction action) const;
    [[nodiscard]] std::vector<QPushButton*> categoryButtons() const;

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    [[nodiscard]] QRect placement(std::optional<QRect> iconGeometry, QPoint cursor, QRect screen) const;
    void rebuild();
    void perform(MenuBarAction action);
    void fit();

    MenuBarServices services_;
    std::unique_ptr<MenuBarDialogs> dialogs_;
    MenuBarActions actions_;
    MemorySectionPresenter memoryPresenter_;
    std::optional<DiskInfo> disk_;
    QVBoxLayout* root_ = nullptr;
    QWidget* content_ = nullptr;
    std::vector<platform::Subscription> observers_;
};

}  // namespace zentrel::ui
