#include "app/shell/MainWindow.hpp"

#include "platform/text/Localization.hpp"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHideEvent>
#include <QMenuBar>
#include <QScreen>

namespace zentrel::app {

MainWindow::MainWindow(BranchFactory branches, MainWindowActions actions)
    : branches_(std::move(branches)), actions_(std::move(actions)) {
    setWindowTitle(N_("Zentrel"));
    buildMenus();
}

void MainWindow::buildMenus() {
    for (const auto& menu : ui::applicationMenus(false)) {
        auto* qmenu = menuBar()->addMenu(QString::fromStdString(menu.title));
        menus_.push_back(qmenu);
        for (const auto& entry : menu.entries) {
            if (entry.separatorBefore) qmenu->addSeparator();
            const auto command = entry.command;
            auto* action = qmenu->addAction(QString::fromStdString(entry.title), this, [this, command] { run(command); });
            if (!entry.shortcut.empty()) {
                action->setShortcut(QKeySequence(QString::fromStdString(entry.shortcut), QKeySequence::PortableText));
                action->setShortcutContext(Qt::ApplicationShortcut);
            }
            commandActions_.emplace_back(command, action);
            if (command == ui::MenuCommand::toggleTyping) typingToggle_ = action;
            if (command == ui::MenuCommand::exportReport) exportReport_ = action;
        }
        connect(qmenu, &QMenu::aboutToShow, this, [this] {
            exportReport_->setEnabled(actions_.canExportReport && actions_.canExportReport());
        });
    }
}

void MainWindow::updateMenus(bool typingEnabled) {
    const auto menus = ui::applicationMenus(typingEnabled);
    std::size_t next = 0;
    for (std::size_t i = 0; i < menus.size() && i < menus_.size(); ++i) {
        menus_[i]->setTitle(QString::fromStdString(menus[i].title));
        for (const auto& entry : menus[i].entries)
            commandActions_.at(next++).second->setText(QString::fromStdString(entry.title));
    }
}

void MainWindow::run(ui::MenuCommand command) {
    using C = ui::MenuCommand;
    const auto call = [](const std::function<void()>& action) {
        if (action) action();
    };
    switch (command) {
    case C::exportReport:
        if (actions_.canExportReport && actions_.canExportReport()) call(actions_.exportReport);
        return;
    case C::quit: call(actions_.quit); return;
    case C::toggleTyping: call(actions_.toggleTyping); return;
    case C::preferences: call(actions_.showPreferences); return;
    case C::checkForUpdates: call(actions_.checkForUpdates); return;
    case C::about: call(actions_.about); return;
    }
}

void MainWindow::showBranch(ui::MainWindowBranch branch) {
    if (hasBranch_ && branch == branch_) return;
    hasBranch_ = true;
    branch_ = branch;
    if (auto* old = takeCentralWidget()) old->deleteLater();
    setCentralWidget(branches_(branch));
    // The window fits the screen it opens on, also at a large scale.
    const auto available = screen()->availableGeometry();
    const auto frame = ui::frameOf(branch);
    if (frame.fixed) {
        setFixedSize(frame.width, frame.height + menuBar()->sizeHint().height());
    } else {
        const auto least = ui::fittedFrame(frame, available.width(), available.height());
        setMinimumSize(least.width, least.height);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        const auto wanted = ui::fittedFrame({std::max(width(), 1100), std::max(height(), 720), false},
                                            available.width(), available.height());
        resize(wanted.width, wanted.height);
    }
}

void MainWindow::present() {
    show();
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    raise();
    activateWindow();
}

namespace {

ui::ScreenRect rectOf(const QRect& rect) { return {rect.x(), rect.y(), rect.width(), rect.height()}; }

}  // namespace

void MainWindow::restoreFrame(std::optional<ui::ScreenRect> remembered) {
    const auto frame = frameGeometry();
    const auto inner = geometry();
    // The window manager's decoration around the window's own area.
    const int extraWidth = frame.width() - inner.width();
    const int extraHeight = frame.height() - inner.height();
    auto wanted = rectOf(frame);
    if (remembered) {
        wanted.x = remembered->x;
        wanted.y = remembered->y;
        if (!ui::frameOf(branch_).fixed) {
            wanted.width = remembered->width;
            wanted.height = remembered->height;
        }
    }
    std::vector<ui::ScreenRect> workAreas;
    if (auto* primary = QGuiApplication::primaryScreen()) workAreas.push_back(rectOf(primary->availableGeometry()));
    for (auto* screen : QGuiApplication::screens())
        if (screen != QGuiApplication::primaryScreen()) workAreas.push_back(rectOf(screen->availableGeometry()));
    const auto fitted = ui::restoredWindowFrame(wanted, workAreas);
    if (!ui::frameOf(branch_).fixed) resize(fitted.width - extraWidth, fitted.height - extraHeight);
    move(fitted.x, fitted.y);
}

void MainWindow::hideEvent(QHideEvent* event) {
    QMainWindow::hideEvent(event);
    if (!event->spontaneous() && actions_.rememberFrame) actions_.rememberFrame(rectOf(frameGeometry()));
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
