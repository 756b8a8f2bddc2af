#pragma once
// The app's symbols by their names ("trash.fill", "checkmark"), drawn with
// the desktop's monochrome ("-symbolic") icons, recoloured as such icons are
// meant to be. Every symbol takes a square of its size; a name without an
// icon draws a faint placeholder there, so text beside it never moves.

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace zentrel::ui {

// The desktop's symbolic icon name for a symbol name; empty when there is none.
[[nodiscard]] QString themeIconName(const QString& symbolName);
[[nodiscard]] QIcon symbolIcon(const QString& symbolName);
// The symbol in a square of `size` device-independent pixels, in `color`.
[[nodiscard]] QPixmap tintedSymbol(const QString& symbolName, int size, const QColor& color,
                                   qreal devicePixelRatio = 1.0);

}  // namespace zentrel::ui
