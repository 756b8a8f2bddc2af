#pragma once
// The glass material as this desktop draws it: the surface colour, a little
// translucent, filling a shape. Cards, panels and command rows share it.

#include <QPainter>
#include <QPainterPath>
#include <QPalette>

namespace zentrel::ui {

// The glass's colour: the surface, a little translucent.
[[nodiscard]] QColor glassColor(const QPalette& palette);
void fillGlass(QPainter& painter, const QPainterPath& shape, const QPalette& palette);
// A rounded rectangle of glass.
void fillGlass(QPainter& painter, const QRectF& rect, double radius, const QPalette& palette);

}  // namespace zentrel::ui
