#include "ui/design/SwitchToggle.hpp"

#include "ui/design/Appearance.hpp"
#include "ui/design/DesignTokens.hpp"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace zentrel::ui {

SwitchToggle::SwitchToggle(const QString& text, QWidget* parent) : QCheckBox(text, parent) {
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
}

QSize SwitchToggle::sizeHint() const {
    const auto metrics = fontMetrics();
    const int textWidth = text().isEmpty() ? 0 : metrics.horizontalAdvance(text()) + kGap;
    return {textWidth + kTrackWidth + 4, std::max(metrics.height(), kTrackHeight) + 4};
}

QRect SwitchToggle::trackRect() const {
    const int textWidth = text().isEmpty() ? 0 : fontMetrics().horizontalAdvance(text()) + kGap;
    const int x = std::min(textWidth + 2, std::max(2, width() - kTrackWidth - 2));
    return {x, (height() - kTrackHeight) / 2, kTrackWidth, kTrackHeight};
}

QColor SwitchToggle::trackColor(bool on, const QPalette& palette) {
    if (on) return DesignTokens::accentFill().resolve(palette);
    // Solid, 3:1 from the card and from the white knob in both appearances.
    return appearanceOf(palette) == Appearance::dark ? QColor(140, 140, 148) : QColor(128, 128, 134);
}

bool SwitchToggle::hitButton(const QPoint& position) const { return rect().contains(position); }

void SwitchToggle::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const auto palette = appPalette();
    if (!isEnabled()) painter.setOpacity(0.4);
    const auto track = trackRect();
    if (!text().isEmpty()) {
        painter.setPen(DesignTokens::textPrimary().resolve(palette));
        painter.drawText(QRect(0, 0, track.left() - kGap + 2, height()), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextShowMnemonic, text());
    }
    const double radius = kTrackHeight / 2.0;
    painter.setPen(Qt::NoPen);
    painter.setBrush(trackColor(isChecked(), palette));
    painter.drawRoundedRect(track, radius, radius);
    const double knob = kTrackHeight - 4;
    const double knobX = isChecked() ? track.right() - knob - 1 : track.left() + 2;
    painter.setBrush(QColor(Qt::white));
    painter.drawEllipse(QRectF(knobX, track.top() + 2, knob, knob));
    if (hasFocus()) {
        QPen ring(DesignTokens::accent().resolve(palette), 2);
        painter.setPen(ring);
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(track).adjusted(-2, -2, 2, 2), radius + 2, radius + 2);
    }
}

}  // namespace zentrel::ui
