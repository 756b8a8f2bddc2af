#include "app/shell/AppGlyph.hpp"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace zentrel::app {

QPixmap appGlyph(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF square(0, 0, size, size);
    QLinearGradient fill(square.topLeft(), square.bottomRight());
    fill.setColorAt(0, QColor(0x1F, 0xB2, 0x7A));
    fill.setColorAt(1, QColor(0x1E, 0x6F, 0xD9));
    QPainterPath shape;
    shape.addRoundedRect(square, size * 0.22, size * 0.22);
    painter.fillPath(shape, fill);
    // The ring, three quarters drawn, from the top clockwise.
    const double pen = size * 0.11;
    const QRectF ring = square.adjusted(size * 0.24, size * 0.24, -size * 0.24, -size * 0.24);
    painter.setPen(QPen(QColor(255, 255, 255, 90), pen, Qt::SolidLine, Qt::RoundCap));
    painter.drawEllipse(ring);
    painter.setPen(QPen(Qt::white, pen, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(ring, 90 * 16, -270 * 16);
    return pixmap;
}

QIcon appIcon() {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) icon.addPixmap(appGlyph(size));
    return icon;
}

}  // namespace zentrel::app
