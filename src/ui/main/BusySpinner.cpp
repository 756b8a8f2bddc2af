#include "ui/main/BusySpinner.hpp"

#include "ui/design/DesignTokens.hpp"
#include "ui/design/MotionPreference.hpp"

#include <QPainter>

namespace zentrel::ui {

BusySpinner::BusySpinner(int side, QWidget* parent) : QWidget(parent) {
    setFixedSize(side, side);
    setAccessibleName({});
    animation_.setStartValue(0.0);
    animation_.setEndValue(360.0);
    animation_.setDuration(1000);
    animation_.setLoopCount(-1);
    QObject::connect(&animation_, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        angle_ = value.toDouble();
        update();
    });
    if (!reducedMotion()) animation_.start();
}

void BusySpinner::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double pen = std::max(1.5, width() / 8.0);
    const QRectF circle = QRectF(rect()).adjusted(pen, pen, -pen, -pen);
    auto track = DesignTokens::textTertiary().resolve(palette());
    painter.setPen(QPen(track, pen));
    painter.drawEllipse(circle);
    painter.setPen(QPen(DesignTokens::textSecondary().resolve(palette()), pen, Qt::SolidLine, Qt::RoundCap));
    // Qt counts sixteenths of a degree, anticlockwise from three o'clock.
    painter.drawArc(circle, static_cast<int>((90.0 - angle_) * 16), -100 * 16);
}

}  // namespace zentrel::ui
