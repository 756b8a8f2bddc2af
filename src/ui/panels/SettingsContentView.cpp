#include "ui/panels/SettingsContentView.hpp"

#include "ui/design/AppCanvas.hpp"
#include "ui/design/Appearance.hpp"
#include "ui/design/DesignLabels.hpp"
#include "ui/panels/PanelStyle.hpp"
#include "ui/panels/SettingsSections.hpp"
#include "ui/presenters/SettingsWindowPlacement.hpp"

#include <QGuiApplication>
#include <QHideEvent>
#include <QScreen>

namespace zentrel::ui {

SettingsContentView::SettingsContentView(SettingsModel& settings, QWidget* parent)
    : QWidget(parent), settings_(settings) {
    settings_.reload();
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* body = new QWidget;
    column_ = new QVBoxLayout(body);
    column_->setContentsMargins(24, 24 + 8, 24, 24);
    column_->setSpacing(16);

    picker_ = new QTabBar(body);
    picker_->setAccessibleName(localizedText("Settings section"));
    picker_->setExpanding(false);
    picker_->setDrawBase(false);
    for (const auto& info : settingsSections()) picker_->addTab(localizedText(info.title));
    followAppearance(picker_, [this] {
        for (const auto& info : settingsSections())
            picker_->setTabIcon(static_cast<int>(info.section), textSymbol(info.systemImage, picker_));
    });
    column_->addWidget(picker_, 0, Qt::AlignLeft);
    connect(picker_, &QTabBar::currentChanged, this,
            [this](int index) { setSection(settingsSections().at(static_cast<std::size_t>(index)).section); });
    column_->addStretch();
    outer->addWidget(clearScrollArea(body, this));
    setSection(SettingsSection::general);
}

void SettingsContentView::setSection(SettingsSection section) {
    if (sectionView_ != nullptr && section == section_) return;
    section_ = section;
    const auto index = static_cast<int>(section);
    if (picker_->currentIndex() != index) picker_->setCurrentIndex(index);
    // A section is made anew each time it is chosen.
    if (sectionView_ != nullptr) retireWidgets(column_, std::vector<QWidget*>{sectionView_});
    sectionView_ = makeSettingsSection(section, settings_, column_->parentWidget());
    column_->insertWidget(1, sectionView_);
}

QCheckBox* SettingsContentView::switchNamed(const QString& label) const {
    for (auto* box : sectionView_->findChildren<QCheckBox*>())
        if (box->text() == label) return box;
    return nullptr;
}

QComboBox* SettingsContentView::pickerNamed(const QString& accessibleName) const {
    for (auto* picker : sectionView_->findChildren<QComboBox*>())
        if (picker->accessibleName() == accessibleName) return picker;
    return nullptr;
}

QStringList SettingsContentView::shownTexts() const {
    QStringList texts;
    for (auto* label : sectionView_->findChildren<QLabel*>())
        if (label->isVisibleTo(sectionView_) && !label->text().isEmpty()) texts << label->text();
    for (auto* box : sectionView_->findChildren<QCheckBox*>())
        if (box->isVisibleTo(sectionView_)) texts << box->text();
    return texts;
}

SettingsView::SettingsView(SettingsModel& settings, QWidget* parent) : QMainWindow(parent), settings_(settings) {
    setWindowTitle(localizedText("Settings"));
    setMinimumSize(560, 480);
    resize(600, 520);
    auto* holder = new QWidget;
    layout_ = new QVBoxLayout(holder);
    layout_->setContentsMargins(0, 0, 0, 0);
    content_ = new SettingsContentView(settings_, holder);
    layout_->addWidget(content_);
    setCentralWidget(new AppCanvas(holder));
}

void SettingsView::present(const QWidget* over) {
    // Each opening shows General, with the values as they are now.
    retireWidgets(layout_, std::vector<QWidget*>{content_});
    content_ = new SettingsContentView(settings_, layout_->parentWidget());
    layout_->addWidget(content_);
    placeFirstTime(over);
    show();
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    raise();
    activateWindow();
}

namespace {

WindowFrame frameOf(const QRect& rect) { return {rect.x(), rect.y(), rect.width(), rect.height()}; }

}  // namespace

void SettingsView::placeFirstTime(const QWidget* over) {
    // Later openings keep the place the window has.
    if (placed_) return;
    placed_ = true;
    std::optional<WindowFrame> mainWindow;
    if (over != nullptr && over->isVisible()) mainWindow = frameOf(over->frameGeometry());
    const auto* screen = over != nullptr && over->screen() != nullptr ? over->screen() : QGuiApplication::primaryScreen();
    const auto area = screen != nullptr ? frameOf(screen->availableGeometry()) : WindowFrame{};
    const auto frame =
        settingsWindowFrame(rememberedSettingsFrame(settings_.defaults()), mainWindow, width(), height(), area);
    resize(frame.width, frame.height);
    move(frame.x, frame.y);
}

void SettingsView::hideEvent(QHideEvent* event) {
    QMainWindow::hideEvent(event);
    if (!event->spontaneous()) rememberSettingsFrame(settings_.defaults(), WindowFrame{x(), y(), width(), height()});
}

}  // namespace zentrel::ui
