#pragma once
// The main window: one of four branches at a time (onboarding, the
// permission check in progress, the content, the Full Disk Access screen),
// each at its own size, and the menu bar. Closing it hides it while
// the tray icon can bring it back; without a tray, closing quits.

#include "ui/presenters/ApplicationMenus.hpp"
#include "ui/presenters/MainWindowBranch.hpp"
#include "ui/presenters/RestoredWindowFrame.hpp"

#include <QAction>
#include <QMainWindow>
#include <QMenu>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace zentrel::app {

struct MainWindowActions {
    std::function<void()> exportReport;
    // Whether Export Report… has a report to save now.
    std::function<bool()> canExportReport;
    std::function<void()> about;
    std::function<void()> checkForUpdates;
    std::function<void()> toggleTyping;
    std::function<void()> showPreferences;
    std::function<void()> quit;
    // Whether something can bring a hidden window back.
    std::function<bool()> canReopen;
    // Keeps the frame the window is left at, for the next run.
    std::function<void(ui::ScreenRect frame)> rememberFrame;
};

class MainWindow final : public QMainWindow {
public:
    using BranchFactory = std::function<QWidget*(ui::MainWindowBranch branch)>;

    MainWindow(BranchFactory branches, MainWindowActions actions);

    // Shows `branch` (made anew when it changes) at its frame.
    void showBranch(ui::MainWindowBranch branch);
    [[nodiscard]] ui::MainWindowBranch branch() const { return branch_; }
    [[nodiscard]] QWidget* branchWidget() const { return centralWidget(); }
    // Titles the menus anew, the typing toggle by `typingEnabled`.
    void updateMenus(bool typingEnabled);
    [[nodiscard]] QAction* typingToggle() const { return typingToggle_; }
    // Brings the window to the front, visible again if it was closed.
    void present();
    // Once shown: takes the frame of the last run (a fixed branch only its
    // place) and keeps the window inside the work area of its screen; none
    // keeps the window's own frame inside.
    void restoreFrame(std::optional<ui::ScreenRect> remembered);

protected:
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void buildMenus();
    void run(ui::MenuCommand command);

    BranchFactory branches_;
    MainWindowActions actions_;
    ui::MainWindowBranch branch_ = ui::MainWindowBranch::onboarding;
    bool hasBranch_ = false;
    QAction* typingToggle_ = nullptr;
    QAction* exportReport_ = nullptr;
    std::vector<QMenu*> menus_;
    std::vector<std::pair<ui::MenuCommand, QAction*>> commandActions_;
};

}  // namespace zentrel::app
