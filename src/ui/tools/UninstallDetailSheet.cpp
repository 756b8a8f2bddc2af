#include "ui/tools/UninstallDetailSheet.hpp"

#include "ui/design/Appearance.hpp"
#include "ui/design/DesignLabels.hpp"
#include "ui/design/ElidedLabel.hpp"
#include "ui/design/PrimaryButton.hpp"
#include "ui/design/ScrollAreaFocus.hpp"
#include "ui/main/PageParts.hpp"
#include "ui/presenters/UninstallDetailPresenter.hpp"
#include "ui/tools/AppIconView.hpp"
#include "ui/tools/ToolDialogs.hpp"

#include <QFrame>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QScrollArea>

namespace zentrel::ui {
namespace {

QString text(const std::string& value) { return QString::fromStdString(value); }

QFrame* divider(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFixedHeight(1);
    line->setAutoFillBackground(true);
    followAppearance(line, [line] {
        auto palette = line->palette();
        palette.setColor(QPalette::Window, DesignTokens::hairline().resolve(appPalette()));
        line->setPalette(palette);
    });
    return line;
}

}  // namespace

UninstallItemRow::UninstallItemRow(const UninstallItemRowContent& item, std::function<void()> onToggle, QWidget* parent)
    : QWidget(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 6, 0, 6);
    row->setSpacing(12);
    checkBox_ = new QCheckBox(this);
    checkBox_->setChecked(item.selected);
    checkBox_->setAccessibleName(text(item.checkBoxName));
    connect(checkBox_, &QCheckBox::toggled, this, [onToggle = std::move(onToggle)] { onToggle(); });
    row->addWidget(checkBox_);
    auto* symbol = symbolLabel(text(item.symbol), DesignTokens::rowIconFont(), DesignTokens::textSecondary(), this);
    symbol->setFixedWidth(18);
    row->addWidget(symbol);
    auto* lines = new QVBoxLayout;
    lines->setSpacing(1);
    lines->addWidget(tokenLabel(text(item.kindLabel), DesignTokens::bodyFont(), DesignTokens::textPrimary(), this));
    lines->addWidget(elidedTokenLabel(text(item.path), DesignTokens::codeSmallFont(), DesignTokens::textTertiary(),
                                      Qt::ElideMiddle, this));
    row->addLayout(lines, 1);
    row->addWidget(tokenLabel(text(item.size), DesignTokens::detailFont(), DesignTokens::textSecondary(), this));
}

void UninstallItemRow::setSelected(bool selected) {
    const QSignalBlocker blocker(checkBox_);
    checkBox_->setChecked(selected);
}

UninstallDetailSheet::UninstallDetailSheet(viewmodels::UninstallViewModel& model, model::InstalledApp app,
                                           QWidget* parent)
    : QDialog(parent), model_(model), app_(std::move(app)) {
    setWindowTitle(text(app_.name));
    setWindowModality(Qt::WindowModal);
    setMinimumSize(480, 420);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(24, 24, 24, 24);
    column->setSpacing(16);

    auto* header = new QHBoxLayout;
    header->setSpacing(12);
    header->addWidget(new AppIconView(app_.path, 44, this));
    auto* titles = new QVBoxLayout;
    titles->setSpacing(2);
    titles->addWidget(tokenLabel(text(app_.name), DesignTokens::titleFont(), DesignTokens::textPrimary(), this));
    titles->addWidget(tokenLabel(text(app_.bundleID), DesignTokens::codeSmallFont(), DesignTokens::textTertiary(), this));
    header->addLayout(titles, 1);
    auto* close = new QPushButton(localizedText(UninstallDetailTexts::close), this);
    close->setAutoDefault(false);
    // Escape rejects the dialog too: every way of closing ends in closeUninstallSheet.
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    header->addWidget(close);
    column->addLayout(header);
    if (const auto notice = packageNotice(app_)) {
        auto* label = tokenLabel(text(*notice), DesignTokens::bodyFont(), DesignTokens::textSecondary(), this);
        label->setWordWrap(true);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);  // the command can be copied
        column->addWidget(label);
    }

    itemArea_ = new QStackedWidget(this);
    auto* loading = new QWidget;
    loading->setMinimumHeight(120);
    auto* loadingRow = new QHBoxLayout(loading);
    loadingRow->setSpacing(8);
    loadingRow->addStretch();
    loadingRow->addWidget(busyIndicator(loading));
    loadingRow->addWidget(tokenLabel(localizedText(UninstallDetailTexts::loadingItems), DesignTokens::bodyFont(),
                                     DesignTokens::textSecondary(), loading));
    loadingRow->addStretch();
    itemArea_->addWidget(loading);
    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    keepOutOfTabOrder(*scroll);
    scroll->setMinimumHeight(180);
    scroll->setMaximumHeight(320);
    auto* list = new QWidget;
    itemColumn_ = new QVBoxLayout(list);
    itemColumn_->setContentsMargins(0, 0, 0, 0);
    itemColumn_->setSpacing(0);
    itemColumn_->addStretch();
    scroll->setWidget(list);
    itemArea_->addWidget(scroll);
    column->addWidget(itemArea_, 1);
    keptBack_ = tokenLabel({}, DesignTokens::detailFont(), DesignTokens::textSecondary(), this);
    keptBack_->setWordWrap(true);
    keptBack_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    column->addWidget(keptBack_);

    auto* footer = new QHBoxLayout;
    footer_ = tokenLabel({}, DesignTokens::detailFont(), DesignTokens::textSecondary(), this);
    footer->addWidget(footer_);
    footer->addStretch();
    removeSlot_ = new QStackedWidget(this);
    remove_ = new PrimaryButton({}, std::nullopt, PrimaryButton::Variant::danger, false, [this] { requestRemoval(); },
                                removeSlot_);
    remove_->setAutoDefault(false);
    removeSlot_->addWidget(remove_);
    auto* busySlot = new QWidget;
    auto* busyRow = new QHBoxLayout(busySlot);
    busyRow->addWidget(busyIndicator(busySlot), 0, Qt::AlignCenter);
    removeSlot_->addWidget(busySlot);
    removeSlot_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    footer->addWidget(removeSlot_);
    column->addLayout(footer);

    connect(this, &QDialog::finished, this, [this](int) {
        if (model_.selectedApp() == app_) closeUninstallSheet(model_);
    });
    observers_.push_back(model_.items.observe([this](const auto&) { showItems(); }));
    observers_.push_back(model_.isLoadingItems.observe([this](const auto&) { showItems(); }));
    observers_.push_back(model_.keptBack.observe([this](const auto&) { showKeptBack(); }));
    observers_.push_back(model_.isUninstalling.observe([this](const auto&) { showFooter(); }));
    showItems();
    showKeptBack();
}

void UninstallDetailSheet::showKeptBack() {
    const auto lines = keptBackLines(model_);
    QStringList shown;
    for (const auto& line : lines) shown << text(line);
    keptBack_->setText(lines.empty() ? QString() : localizedText(UninstallDetailTexts::keptBackTitle) + "\n" + shown.join("\n"));
    keptBack_->setVisible(!lines.empty());
}

void UninstallDetailSheet::showItems() {
    itemArea_->setCurrentIndex(model_.isLoadingItems() ? 0 : 1);
    const auto items = uninstallItemRows(model_);
    std::vector<platform::Uuid> ids;
    for (const auto& item : items) ids.push_back(item.id);
    if (ids == shownIds_) {
        // A toggle: the same rows, other check marks.
        for (std::size_t i = 0; i < items.size(); ++i) rows_[i]->setSelected(items[i].selected);
    } else {
        shownIds_ = std::move(ids);
        retireWidgets(itemColumn_, rowWidgets_);
        rows_.clear();
        rowWidgets_.clear();
        for (const auto& item : items) {
            auto* row = new UninstallItemRow(item, [this, id = item.id] { model_.toggleItem(id); });
            itemColumn_->insertWidget(itemColumn_->count() - 1, row);
            // A divider follows every row, the last one too.
            auto* line = divider(nullptr);
            itemColumn_->insertWidget(itemColumn_->count() - 1, line);
            rows_.push_back(row);
            rowWidgets_.push_back(row);
            rowWidgets_.push_back(line);
        }
    }
    showFooter();
}

void UninstallDetailSheet::showFooter() {
    footer_->setText(text(uninstallFooter(model_)));
    const auto button = ui::removeButton(model_);
    removeSlot_->setCurrentIndex(button.showsProgress ? 1 : 0);
    if (!button.showsProgress) {
        remove_->setText(buttonText(text(button.label)));
        remove_->setAccessibleName(text(button.label));
    }
    remove_->setEnabled(button.enabled);
    removeSlot_->setFixedSize(remove_->sizeHint());
    removeSlot_->setVisible(button.shown);
}

void UninstallDetailSheet::requestRemoval() {
    if (!ui::removeButton(model_).enabled) return;
    const auto confirmation = removalConfirmation(model_);
    QStringList lines;
    for (const auto& line : confirmation.lines) lines << text(line);
    confirmDestructive(this, text(confirmation.title), text(confirmation.message) + "\n\n" + lines.join("\n"),
                       text(confirmation.confirmLabel), text(confirmation.cancelLabel),
                       [this] { model_.uninstallSelected(); });
}

}  // namespace zentrel::ui
