#include "ui/design/Glass.hpp"

#include "ui/design/DesignTokens.hpp"

namespace zentrel::ui {

QColor glassColor(const QPalette& palette) {
    auto glass = DesignTokens::surface().resolve(palette);
    glass.setAlphaF(0.92f);  // the backdrop barely shows through
    return glass;
}

void fillGlass(QPainter& painter, const QPainterPath& shape, const QPalette& palette) {
    painter.fillPath(shape, glassColor(palette));
}

void fillGlass(QPainter& painter, const QRectF& rect, double radius, const QPalette& palette) {
    QPainterPath shape;
    shape.addRoundedRect(rect, radius, radius);
    fillGlass(painter, shape, palette);
}

}  // namespace zentrel::ui
