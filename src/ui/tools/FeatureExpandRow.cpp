#include "ui/tools/FeatureExpandRow.hpp"

#include "ui/design/Appearance.hpp"
#include "ui/design/DesignLabels.hpp"
#include "ui/design/MotionPreference.hpp"
#include "ui/design/SymbolImage.hpp"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>

namespace zentrel::ui {

FeatureExpandRow::FeatureExpandRow(const QString& title, const QString& symbolName, bool expanded, bool nested,
                                   ContentBuilder content, QWidget* parent)
    : QWidget(parent), nested_(nested), build_(std::move(content)) {
    column_ = new QVBoxLayout(this);
    column_->setContentsMargins(0, 0, 0, 0);
    column_->setSpacing(nested ? 8 : 0);

    header_ = new PanelButton(title, std::nullopt, nested ? 36 : 44, this);
    header_->face()->setContentsMargins(12, nested ? 8 : 12, 12, nested ? 8 : 12);
    auto* icon = symbolLabel(symbolName, DesignTokens::rowIconFont(),
                             nested ? ColorToken(DesignTokens::textSecondary()) : ColorToken(DesignTokens::accent()),
                             header_);
    icon->setFixedWidth(std::max(icon->width(), 20));
    icon->setAlignment(Qt::AlignCenter);
    header_->addToFace(icon);
    auto font = (nested ? DesignTokens::detailFont() : DesignTokens::bodyFont()).font();
    font.setWeight(QFont::Medium);
    auto* label = tokenLabel(title, DesignTokens::bodyFont(), DesignTokens::textPrimary(), header_);
    label->setFont(font);
    header_->addToFace(label, 1);
    chevron_ = new QLabel(header_);
    const auto side = QFontMetrics(DesignTokens::detailFont().font()).height();
    chevron_->setFixedSize(side, side);
    header_->addToFace(chevron_);
    followAppearance(chevron_, [this] { turnChevron(angle_); });
    column_->addWidget(header_);
    QObject::connect(header_, &QPushButton::clicked, this, [this] { setExpanded(!expanded_); });

    turn_.setEasingCurve(DesignTokens::hoverAnimation().curve);
    turn_.setDuration(DesignTokens::hoverAnimation().durationMs);
    QObject::connect(&turn_, &QVariantAnimation::valueChanged, this,
                     [this](const QVariant& value) { turnChevron(value.toDouble()); });
    setExpanded(expanded);
}

void FeatureExpandRow::setExpanded(bool expanded) {
    const bool changed = expanded != expanded_ || (expanded && content_ == nullptr);
    expanded_ = expanded;
    if (expanded && content_ == nullptr) {
        auto* holder = new QWidget(this);
        auto* inset = new QVBoxLayout(holder);
        inset->setContentsMargins(12, 0, 12, 12);
        inset->addWidget(build_(holder));
        content_ = holder;
        column_->addWidget(holder);
    } else if (!expanded && content_ != nullptr) {
        retireWidgets(column_, std::vector<QWidget*>{content_.data()});
        content_ = nullptr;
    }
    const double target = expanded ? 90 : 0;
    turn_.stop();
    if (reducedMotion() || !isVisible()) {
        turnChevron(target);
    } else {
        turn_.setStartValue(angle_);
        turn_.setEndValue(target);
        turn_.start();
    }
    if (changed && changed_) changed_(expanded);
}

void FeatureExpandRow::turnChevron(double to) {
    angle_ = to;
    const auto side = chevron_->width();
    const auto color = DesignTokens::textTertiary().resolve(appPalette());
    const auto ratio = chevron_->devicePixelRatioF();
    const auto symbol = tintedSymbol("chevron.right", side, color, ratio);
    QPixmap turned(symbol.size());
    turned.setDevicePixelRatio(ratio);
    turned.fill(Qt::transparent);
    QPainter painter(&turned);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.translate(side / 2.0, side / 2.0);
    painter.rotate(to);
    painter.translate(-side / 2.0, -side / 2.0);
    painter.drawPixmap(0, 0, symbol);
    painter.end();
    chevron_->setPixmap(turned);
}

void FeatureExpandRow::paintEvent(QPaintEvent*) {
    if (nested_) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), 8, 8);
    auto fill = DesignTokens::neutralTint().resolve(appPalette());
    fill.setAlphaF(fill.alphaF() * 0.55f);
    painter.fillPath(shape, fill);
}

}  // namespace zentrel::ui
