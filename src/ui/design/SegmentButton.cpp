#include "ui/design/SegmentButton.hpp"

#include "ui/design/Appearance.hpp"
#include "ui/design/Contrast.hpp"
#include "ui/design/DesignTokens.hpp"
#include "ui/design/GlassCard.hpp"

#include <QPainter>

namespace zentrel::ui {

SegmentButton::SegmentButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    setCheckable(true);
    // One of a choice: assistive technology announces a radio button. Within
    // a button group the group keeps the choice single.
    setAutoExclusive(true);
    setAutoDefault(false);
    setCursor(Qt::PointingHandCursor);
    setMinimumHeight(28);
}

SegmentColors SegmentButton::colors(bool chosen, const QPalette& palette, const QColor& below) {
    if (!chosen) return {QColor(Qt::transparent), DesignTokens::textPrimary().resolve(palette)};
    // The accent fill with white text where it stands out from the card, else
    // the light accent with dark text (on dark cards).
    const QColor fill = fillForWhiteText(DesignTokens::accentFill().resolve(palette));
    if (contrastRatio(fill, below) >= kLargeTextContrast) return {fill, QColor(Qt::white)};
    return {DesignTokens::accent().resolve(palette), DesignTokens::canvas().resolve(Appearance::dark)};
}

void SegmentButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const auto palette = appPalette();
    if (!isEnabled()) painter.setOpacity(0.4);
    const auto below = GlassCard::background(GlassCard::Variant::primary, palette);
    const auto shown = colors(isChecked(), palette, below);
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    auto border = DesignTokens::textPrimary().resolve(palette);
    border.setAlphaF(0.25F);
    painter.setPen(QPen(border, 1));
    painter.setBrush(shown.fill);
    painter.drawRoundedRect(frame, 6, 6);
    if (hasFocus()) {
        painter.setPen(QPen(DesignTokens::accent().resolve(palette), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(frame.adjusted(1, 1, -1, -1), 5, 5);
    }
    painter.setPen(shown.text);
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextShowMnemonic, text());
}

}  // namespace zentrel::ui
