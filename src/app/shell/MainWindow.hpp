#pragma once
// The main window: one of four branches at a time (onboarding, the
// permission check in progress, the content, the Full Disk Access screen),
// each at its own size, and the application menu. Closing it hides it while
// the tray icon can bring it back; without a tray, closing quits.

#include "ui/presenters/MainWindowBranch.hpp"

#include <QAction>
#include <QMainWindow>

#include <functional>

namespace zentrel::app {

struct MainWindowActions {
    std::function<void()> checkForUpdates;
    std::function<void()> toggleTyping;
    std::function<void()> showPreferences;
    std::function<void()> quit;
    // Whether something can bring a hidden window back.
    std::function<bool()> canReopen;
};

class MainWindow final : public QMainWindow {
public:
    using BranchFactory = std::function<QWidget*(ui::MainWindowBranch branch)>;

    MainWindow(BranchFactory branches, MainWindowActions actions);

    // Shows `branch` (made anew when it changes) at its frame.
    void showBranch(ui::MainWindowBranch branch);
    [[nodiscard]] ui::MainWindowBranch branch() const { return branch_; }
    [[nodiscard]] QWidget* branchWidget() const { return centralWidget(); }
    void setTypingToggleTitle(const QString& title) { typingToggle_->setText(title); }
    [[nodiscard]] QAction* typingToggle() const { return typingToggle_; }
    // Brings the window to the front, visible again if it was closed.
    void present();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();

    BranchFactory branches_;
    MainWindowActions actions_;
    ui::MainWindowBranch branch_ = ui::MainWindowBranch::onboarding;
    bool hasBranch_ = false;
    QAction* typingToggle_ = nullptr;
};

}  // namespace zentrel::app
