#include "app/shell/MainWindow.hpp"

#include "ui/design/DesignLabels.hpp"

#include <QCloseEvent>
#include <QMenuBar>
#include <QMessageBox>

namespace zentrel::app {

MainWindow::MainWindow(BranchFactory branches, MainWindowActions actions)
    : branches_(std::move(branches)), actions_(std::move(actions)) {
    setWindowTitle("Zentrel");
    buildMenus();
}

void MainWindow::buildMenus() {
    auto* menu = menuBar()->addMenu("Zentrel");
    menu->addAction(ui::localizedText("About Zentrel"), this, [this] {
        QMessageBox::about(this, ui::localizedText("About Zentrel"),
                           QStringLiteral("Zentrel %1").arg(QStringLiteral(ZENTREL_DISPLAY_VERSION)));
    });
    menu->addAction(ui::localizedText("Check for Updates…"), this, [this] { actions_.checkForUpdates(); });
    menu->addSeparator();
    typingToggle_ = menu->addAction(QString(), this, [this] { actions_.toggleTyping(); });
    typingToggle_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    typingToggle_->setShortcutContext(Qt::ApplicationShortcut);
    menu->addSeparator();
    auto* preferences = menu->addAction(ui::localizedText("Preferences…"), this, [this] { actions_.showPreferences(); });
    preferences->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    preferences->setShortcutContext(Qt::ApplicationShortcut);
    auto* quit = menu->addAction(ui::localizedText("Quit Zentrel"), this, [this] { actions_.quit(); });
    quit->setShortcut(QKeySequence::Quit);
    quit->setShortcutContext(Qt::ApplicationShortcut);
}

void MainWindow::showBranch(ui::MainWindowBranch branch) {
    if (hasBranch_ && branch == branch_) return;
    hasBranch_ = true;
    branch_ = branch;
    if (auto* old = takeCentralWidget()) old->deleteLater();
    setCentralWidget(branches_(branch));
    const auto frame = ui::frameOf(branch);
    if (frame.fixed) {
        setFixedSize(frame.width, frame.height + menuBar()->sizeHint().height());
    } else {
        setMinimumSize(frame.width, frame.height);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        resize(std::max(width(), 1100), std::max(height(), 720));
    }
}

void MainWindow::present() {
    show();
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    raise();
    activateWindow();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (actions_.canReopen && actions_.canReopen()) {
        hide();
        event->ignore();
        return;
    }
    event->accept();
    actions_.quit();
}

}  // namespace zentrel::app
