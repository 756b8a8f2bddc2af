#include "ui/panels/MenuBarView.hpp"

#include "platform/text/Localization.hpp"
#include "ui/design/Appearance.hpp"
#include "ui/design/DesignLabels.hpp"
#include "ui/panels/MenuBarRows.hpp"
#include "ui/panels/MenuBarSections.hpp"
#include "ui/presenters/BatteryDigestPresenter.hpp"
#include "ui/presenters/CalmDownPresenter.hpp"
#include "ui/presenters/MenuBarPresenter.hpp"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace zentrel::ui {
namespace {

PopoverRect popoverRect(const QRect& rect) { return {rect.x(), rect.y(), rect.width(), rect.height()}; }

}  // namespace

MenuBarView::MenuBarView(MenuBarServices services, std::unique_ptr<MenuBarDialogs> dialogs, QWidget* parent)
    // A frameless tool window rather than a Qt popup: assistive technology
    // lists no popup windows. It closes itself like one.
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      services_(std::move(services)),
      dialogs_(dialogs ? std::move(dialogs) : std::make_unique<MessageBoxMenuBarDialogs>()),
      actions_(services_.viewModel, services_.openMainWindow),
      memoryPresenter_(services_.processes, services_.isFocusActive, services_.viewModel.prefs().defaults()) {
    setFixedWidth(kWidth);
    // The popover itself takes the focus when it opens, so no row looks
    // chosen before the keyboard moves to one.
    setFocusPolicy(Qt::StrongFocus);
    root_ = new QVBoxLayout(this);
    root_->setContentsMargins(8, 8, 8, 8);
    auto& vm = services_.viewModel;
    const auto follow = [this](const auto&) {
        if (isVisible()) rebuild();
    };
    observers_.push_back(vm.scanState.observe(follow));
    observers_.push_back(vm.result.observe(follow));
    followAppearance(this, [this] { update(); });
}

MenuBarView::~MenuBarView() = default;

void MenuBarView::open() {
    disk_ = DiskInfo::current(services_.diskPath);
    memoryPresenter_.open();
    rebuild();
}

QRect MenuBarView::placement(std::optional<QRect> iconGeometry, QPoint cursor, QRect screen) const {
    std::optional<PopoverRect> icon;
    if (iconGeometry) icon = popoverRect(*iconGeometry);
    const auto rect = popoverGeometry(icon, cursor.x(), cursor.y(), width(), height(), popoverRect(screen));
    return {rect.x, rect.y, rect.width, rect.height};
}

void MenuBarView::popUp(std::optional<QRect> iconGeometry) {
    // A second click on the icon closes it again.
    if (isVisible()) {
        close();
        return;
    }
    open();
    const auto cursor = QCursor::pos();
    const auto anchor = iconGeometry && !iconGeometry->isEmpty() ? iconGeometry->center() : cursor;
    auto* screen = QGuiApplication::screenAt(anchor);
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    if (screen != nullptr) move(placement(iconGeometry, cursor, screen->availableGeometry()).topLeft());
    show();
    raise();
    activateWindow();
    setFocus(Qt::PopupFocusReason);
}

void MenuBarView::rebuild() {
    auto& vm = services_.viewModel;
    auto* content = new QWidget(this);
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);

    auto* sections = new QVBoxLayout;
    sections->setSpacing(0);
    sections->addWidget(diskUsageSection(diskUsageHeader(disk_), content));
    sections->addWidget(sectionDivider(content));
    sections->addWidget(new MemoryUsageSection(memoryPresenter_, [this] { fit(); }, content));
    if (vm.prefs().energyDigestEnabled()) {
        sections->addWidget(sectionDivider(content));
        sections->addWidget(batteryDigestSection(
            batteryDigest(services_.power.sampleSystemPower(), services_.energy.todayDigest()), content));
    }
    if (const auto rows = popoverCategoryRows(vm); !rows.empty()) {
        sections->addWidget(sectionDivider(content));
        sections->addWidget(categoriesSection(rows, [this](model::CategoryType category) {
            close();
            actions_.openPage(model::SidebarSelection::category(category));
        }, content));
    }
    if (const auto activity = lastActivity(vm.prefs(), services_.clock.now(), platform::Localization::shared().language(),
                                             vm.foundBytes())) {
        sections->addWidget(sectionDivider(content));
        sections->addWidget(lastActivityLine(*activity, content));
    }
    column->addLayout(sections);

    auto* actions = new QVBoxLayout;
    actions->setSpacing(2);
    actions->setContentsMargins(4, 0, 4, 0);
    for (const auto& entry : menuBarButtons(vm)) {
        if (entry.action == MenuBarAction::openZentrel) {
            actions->addSpacing(2);
            actions->addWidget(sectionDivider(content));
            actions->addSpacing(2);
        }
        auto* button = new MenuBarButton(entry, content);
        connect(button, &QPushButton::clicked, this, [this, action = entry.action] { perform(action); });
        actions->addWidget(button);
    }
    column->addLayout(actions);

    if (content_ != nullptr) retireWidgets(root_, std::vector<QWidget*>{content_});
    content_ = content;
    root_->addWidget(content_);
    fit();
}

void MenuBarView::fit() {
    if (content_ != nullptr) content_->adjustSize();
    adjustSize();
}

void MenuBarView::perform(MenuBarAction action) {
    close();
    switch (action) {
    case MenuBarAction::scanNow: actions_.scanNow(); return;
    case MenuBarAction::quickClean: {
        const auto question = actions_.quickClean();
        if (!question) return;
        auto* parent = services_.mainWindow ? services_.mainWindow() : nullptr;
        dialogs_->askQuickClean(parent, *question, [this, question = *question](QuickCleanAnswer answer) {
            actions_.answer(question, answer);
        });
        return;
    }
    case MenuBarAction::calmDown: {
        auto question = calmDownQuestion(services_.processes);
        dialogs_->askCalmDown(question, [this, question] { (void)calmDown(services_.processes, question); });
        return;
    }
    case MenuBarAction::boost: actions_.openPage(model::SidebarSelection::boost()); return;
    case MenuBarAction::uninstall: actions_.openPage(model::SidebarSelection::uninstall()); return;
    case MenuBarAction::openZentrel: actions_.openMainWindow(); return;
    case MenuBarAction::quit:
        if (services_.quit) services_.quit();
        return;
    }
}

QPushButton* MenuBarView::button(MenuBarAction action) const {
    if (content_ == nullptr) return nullptr;
    // The rows have no meta-object of their own: only a dynamic cast tells them apart.
    for (auto* button : content_->findChildren<QPushButton*>()) {
        auto* row = dynamic_cast<MenuBarButton*>(button);
        if (row != nullptr && row->action() == action) return row;
    }
    return nullptr;
}

std::vector<QPushButton*> MenuBarView::categoryButtons() const {
    std::vector<QPushButton*> buttons;
    if (content_ == nullptr) return buttons;
    for (auto* button : content_->findChildren<QPushButton*>())
        if (dynamic_cast<CategoryRow*>(button) != nullptr) buttons.push_back(button);
    return buttons;
}

void MenuBarView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // Like a popup: it goes when another window takes the focus.
    if (event->type() == QEvent::ActivationChange && isVisible() && !isActiveWindow() &&
        QApplication::activeModalWidget() == nullptr)
        close();
}

void MenuBarView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void MenuBarView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const auto palette = appPalette();
    painter.fillRect(rect(), DesignTokens::surface().resolve(palette));
    painter.setPen(DesignTokens::cardBorder().resolve(palette));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace zentrel::ui
