#include "ui/panels/PermissionChecklistView.hpp"

#include "ui/design/Appearance.hpp"
#include "ui/design/CapsuleLabel.hpp"
#include "ui/design/DesignLabels.hpp"
#include "ui/main/PageParts.hpp"
#include "ui/panels/PanelStyle.hpp"

#include <QPainter>
#include <QPainterPath>

namespace zentrel::ui {
namespace {

constexpr int kWell = 36;

// "Enable ›" on a capsule that deepens while the row is hovered.
class EnableCapsule final : public QWidget {
public:
    explicit EnableCapsule(const PermissionRow& row, QWidget* parent) : QWidget(parent), row_(row) {
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(10, 5, 10, 5);
        layout->setSpacing(4);
        layout->addWidget(tokenLabel(localizedText("Enable"), DesignTokens::buttonLabelFont(), DesignTokens::accent(),
                                     this));
        layout->addWidget(symbolLabel("chevron.right", DesignTokens::tagFont(), DesignTokens::accent(), this));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        auto fill = DesignTokens::accent().resolve(appPalette());
        fill.setAlphaF(row_.isHovering() ? 0.16F : 0.10F);
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        painter.drawRoundedRect(rect(), height() / 2.0, height() / 2.0);
    }

private:
    const PermissionRow& row_;
};

}  // namespace

PermissionRow::PermissionRow(const PermissionRowModel& row, QWidget* parent)
    : QAbstractButton(parent), row_(row), granted_(row.granted) {
    setText(QString::fromStdString(row.title));
    setAccessibleName(QString::fromStdString(row.title));
    setAccessibleDescription(QString::fromStdString(row.detail));
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    // The row's labels keep their own colours rather than a button's text colour.
    setBackgroundRole(QPalette::Window);
    setForegroundRole(QPalette::WindowText);

    layout_ = new QHBoxLayout(this);
    layout_->setContentsMargins(8, 8, 8, 8);
    layout_->setSpacing(12);

    QVBoxLayout* text = nullptr;
    auto* column = stackWidget(this, 2, text);
    auto* titleRow = new QHBoxLayout;
    titleRow->setSpacing(8);
    titleRow->addWidget(tokenLabel(QString::fromStdString(row.title), DesignTokens::headlineFont(),
                                   DesignTokens::textPrimary(), column));
    if (row.optional) {
        auto* optional = new CapsuleLabel(localizedText("Optional"), {},
                                          {DesignTokens::textTertiary(), DesignTokens::neutralTint(),
                                           DesignTokens::pillFont(), DesignTokens::pillFont(), 6, 1},
                                          column);
        optional->setAccessibleName({});  // the row's name says it
        titleRow->addWidget(optional);
    }
    titleRow->addStretch();
    text->addLayout(titleRow);
    text->addWidget(wrappingLabel(QString::fromStdString(row.detail), DesignTokens::detailFont(),
                                  DesignTokens::textSecondary(), column));

    layout_->addWidget(column, 1);
    layout_->addSpacing(12);
    showStatus();
}

void PermissionRow::setState(const PermissionRowModel& row) {
    if (row.granted == granted_ && row.offersEnable == row_.offersEnable) return;
    granted_ = row.granted;
    row_.offersEnable = row.offersEnable;
    showStatus();
}

QString PermissionRow::statusText() const {
    if (granted_) return localizedText("ON");
    return row_.offersEnable ? localizedText("Enable") : localizedText("OFF");
}

QSize PermissionRow::sizeHint() const { return layout_->sizeHint(); }

void PermissionRow::showStatus() {
    // A granted row, or one with nothing to offer, does nothing when clicked.
    setEnabled(!granted_ && row_.offersEnable);
    if (well_ != nullptr) retireWidgets(layout_, std::vector<QWidget*>{well_, status_});
    well_ = iconWell(row_.symbol, DesignTokens::mediumIconFont(), tintColor(row_.tint), kWell,
                     granted_ ? 0.16 : 0.12, this);
    layout_->insertWidget(0, well_, 0, Qt::AlignVCenter);
    if (granted_) {
        status_ = new CapsuleLabel(localizedText("ON"), "checkmark.circle.fill",
                                   {DesignTokens::health(), DesignTokens::healthTint(), DesignTokens::statusIconFont(),
                                    DesignTokens::statusIconFont(), 10, 5},
                                   this);
    } else if (row_.offersEnable) {
        status_ = new EnableCapsule(*this, this);
    } else {
        status_ = new CapsuleLabel(localizedText("OFF"), {},
                                   {DesignTokens::textTertiary(), DesignTokens::neutralTint(), DesignTokens::pillFont(),
                                    DesignTokens::pillFont(), 10, 5},
                                   this);
    }
    // One element for assistive technology: the row names its state, the
    // capsule drawn for it names nothing.
    for (auto* part : status_->findChildren<QWidget*>()) part->setAccessibleName({});
    status_->setAccessibleName({});
    auto title = QString::fromStdString(row_.title);
    if (row_.optional) title = localizedText("%@, %@", {title, localizedText("Optional")});
    setAccessibleName(localizedText("%@, %@", {title, statusText()}));
    layout_->addWidget(status_, 0, Qt::AlignVCenter);
    setAccessibleDescription(QString::fromStdString(row_.detail));
    update();
}

void PermissionRow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF shape = QRectF(rect()).adjusted(1, 1, -1, -1);
    if (hovering_ && !granted_ && row_.offersEnable) {
        auto fill = DesignTokens::accent().resolve(appPalette());
        fill.setAlphaF(0.06F);
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        painter.drawRoundedRect(shape, 8, 8);
    }
    if (hasFocus()) {  // the keyboard's place, as other buttons show it
        painter.setPen(QPen(appPalette().color(QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(shape, 8, 8);
    }
}

void PermissionRow::enterEvent(QEnterEvent* event) {
    hovering_ = true;
    if (status_ != nullptr) status_->update();
    update();
    QAbstractButton::enterEvent(event);
}

void PermissionRow::leaveEvent(QEvent* event) {
    hovering_ = false;
    if (status_ != nullptr) status_->update();
    update();
    QAbstractButton::leaveEvent(event);
}

PermissionChecklistView::PermissionChecklistView(services::PermissionsManager& permissions, TypingPermission& typing,
                                                 bool includeOptional, QWidget* parent)
    : QWidget(parent), permissions_(permissions), checklist_(permissions, typing, includeOptional) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    for (const auto& model : checklist_.rows()) {
        auto* row = new PermissionRow(model, this);
        const auto permission = model.permission;
        connect(row, &QAbstractButton::clicked, this, [this, permission] { checklist_.activate(permission); });
        layout->addWidget(row);
        rows_.push_back(row);

        Hint hint;
        if (model.permission != services::SystemPermission::notifications) {
            QVBoxLayout* box = nullptr;
            hint.box = stackWidget(this, 8, box);
            box->setContentsMargins(8, 0, 8, 4);
            hint.text = wrappingLabel({}, DesignTokens::detailFont(), DesignTokens::textSecondary(), hint.box);
            box->addWidget(hint.text);
            hint.restart = new QPushButton(hint.box);
            hint.restart->setFont(DesignTokens::detailFont().font());
            followAppearance(hint.restart, [button = hint.restart] {
                button->setIcon(textSymbol("arrow.clockwise", button));
            });
            connect(hint.restart, &QPushButton::clicked, this, [this] { permissions_.relaunch(); });
            box->addWidget(hint.restart, 0, Qt::AlignLeft);
            layout->addWidget(hint.box);
        }
        hints_.push_back(hint);

        if (model.dividerAfter) {
            auto* divider = new QWidget(this);
            divider->setFixedHeight(1);
            divider->setAttribute(Qt::WA_StyledBackground);
            followAppearance(divider, [divider] {
                divider->setStyleSheet(QString("background-color: %1;")
                                           .arg(DesignTokens::hairline().resolve(appPalette()).name(QColor::HexArgb)));
            });
            layout->addWidget(divider);
        }
    }
    changed_ = checklist_.changed.subscribe([this] { refresh(); });
    refresh();
}

void PermissionChecklistView::refresh() {
    const auto models = checklist_.rows();
    for (std::size_t i = 0; i < models.size(); ++i) {
        rows_[i]->setState(models[i]);
        const auto& hint = hints_[i];
        if (hint.box == nullptr) continue;
        hint.box->setVisible(models[i].hint.has_value());
        if (!models[i].hint) continue;
        hint.text->setText(localizedText(models[i].hint->text));
        hint.restart->setVisible(models[i].hint->button != nullptr);
        if (models[i].hint->button != nullptr) hint.restart->setText(buttonText(localizedText(models[i].hint->button)));
    }
}

std::vector<QLabel*> PermissionChecklistView::visibleHints() const {
    std::vector<QLabel*> shown;
    for (const auto& hint : hints_)
        if (hint.box != nullptr && !hint.box->isHidden()) shown.push_back(hint.text);
    return shown;
}

std::vector<QPushButton*> PermissionChecklistView::visibleRestartButtons() const {
    std::vector<QPushButton*> shown;
    for (const auto& hint : hints_)
        if (hint.box != nullptr && !hint.box->isHidden() && !hint.restart->isHidden()) shown.push_back(hint.restart);
    return shown;
}

void PermissionChecklistView::showEvent(QShowEvent* event) {
    if (!lease_) lease_.emplace(permissions_);
    QWidget::showEvent(event);
}

void PermissionChecklistView::hideEvent(QHideEvent* event) {
    lease_.reset();
    QWidget::hideEvent(event);
}

void PermissionChecklistView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const auto palette = appPalette();
    const QRectF shape = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setBrush(DesignTokens::surface().resolve(palette));
    painter.setPen(QPen(DesignTokens::cardBorder().resolve(palette), 1));
    painter.drawRoundedRect(shape, 14, 14);
}

}  // namespace zentrel::ui
