#include "ui/design/GlassCard.hpp"

#include "ui/design/Appearance.hpp"
#include "ui/design/Contrast.hpp"
#include "ui/design/Glass.hpp"

#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace zentrel::ui {

GlassCard::GlassCard(Variant variant, int padding, double radius, bool hoverLift, QWidget* content, QWidget* parent)
    : QWidget(parent), variant_(variant), radius_(radius), hoverLift_(hoverLift) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(padding, padding, padding, padding);
    if (content != nullptr) layout->addWidget(content);
    setAttribute(Qt::WA_Hover, hoverLift);
    animation_.setEasingCurve(DesignTokens::hoverAnimation().curve);
    animation_.setDuration(DesignTokens::hoverAnimation().durationMs);
    QObject::connect(&animation_, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        lift_ = value.toDouble();
        update();
    });
}

void GlassCard::setContent(QWidget* content) {
    if (content != nullptr) layout()->addWidget(content);
}

std::optional<QColor> GlassCard::tint() const { return glassTint(variant_, appPalette()); }

std::optional<QColor> GlassCard::glassTint(Variant variant, const QPalette& palette) {
    // Light enough under text of every text colour to keep its contrast.
    const bool dark = appearanceOf(palette) == Appearance::dark;
    auto accent = DesignTokens::accent().resolve(palette);
    switch (variant) {
    case Variant::hero: accent.setAlphaF(dark ? 0.08f : 0.10f); return accent;
    case Variant::accent: accent.setAlphaF(dark ? 0.12f : 0.16f); return accent;
    case Variant::primary:
    case Variant::ghost: return std::nullopt;
    }
    return std::nullopt;
}

QColor GlassCard::background(Variant variant, const QPalette& palette) {
    auto glass = composited(glassColor(palette), DesignTokens::canvas().resolve(palette));
    if (const auto color = glassTint(variant, palette)) glass = composited(*color, glass);
    return glass;
}

void GlassCard::setHovered(bool hovered) {
    // Only a lifting card tracks the pointer.
    if (!hoverLift_ || hovered == hovered_) return;
    hovered_ = hovered;
    animation_.stop();
    animation_.setStartValue(lift_);
    animation_.setEndValue(isLifted() ? 1.0 : 0.0);
    animation_.start();
}

void GlassCard::enterEvent(QEnterEvent*) { setHovered(true); }
void GlassCard::leaveEvent(QEvent*) { setHovered(false); }

void GlassCard::paintEvent(QPaintEvent*) {
    if (variant_ == Variant::ghost) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds = QRectF(rect()).adjusted(1, 1, -1, -1);
    painter.translate(bounds.center());
    painter.scale(currentScale(), currentScale());
    painter.translate(-bounds.center());
    QPainterPath shape;
    shape.addRoundedRect(bounds, radius_, radius_);
    if (lift_ > 0.0) {
        // A soft shadow below the lifted card.
        auto shadow = DesignTokens::cardShadow();
        for (int ring = 1; ring <= 4; ++ring) {
            QPainterPath spread;
            const double grow = currentShadowRadius() * ring / 8.0;
            spread.addRoundedRect(bounds.translated(0, 6.0 * lift_).adjusted(-grow, -grow, grow, grow),
                                  radius_ + grow, radius_ + grow);
            shadow.setAlphaF(DesignTokens::cardShadow().alphaF() * lift_ / ring);
            painter.fillPath(spread, shadow);
        }
    }
    // The glass: the surface, a little translucent, then the variant's tint.
    if (!isEnabled()) painter.setOpacity(0.55);
    const auto palette = appPalette();
    fillGlass(painter, shape, palette);
    if (const auto color = tint()) painter.fillPath(shape, *color);
    if (pressed_) {
        auto shade = palette.color(QPalette::WindowText);
        shade.setAlphaF(0.06f);
        painter.fillPath(shape, shade);
    }
    painter.setOpacity(1.0);
    if (hasFocus()) {
        // Keyboard focus: a ring in the desktop's highlight colour.
        painter.setPen(QPen(palette.color(QPalette::Highlight), 2.0));
    } else {
        painter.setPen(QPen(DesignTokens::cardBorder().resolve(palette), 1.0));
    }
    painter.drawPath(shape);
}

void GlassCard::mousePressEvent(QMouseEvent* event) {
    // Only a card that takes focus is something to press.
    if (focusPolicy() != Qt::NoFocus) {
        pressed_ = true;
        update();
    }
    QWidget::mousePressEvent(event);
}

void GlassCard::mouseReleaseEvent(QMouseEvent* event) {
    if (pressed_) {
        pressed_ = false;
        update();
    }
    QWidget::mouseReleaseEvent(event);
}

}  // namespace zentrel::ui
