#pragma once
// The app's symbols by their names ("trash.fill", "checkmark"), drawn with
// the desktop's icon theme: each name maps to the closest freedesktop icon.
// A name without a mapping, or a theme without the icon, gives a null icon,
// and the components then show no symbol.

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace zentrel::ui {

// The freedesktop icon name for a symbol name; empty when there is none.
[[nodiscard]] QString themeIconName(const QString& symbolName);
[[nodiscard]] QIcon symbolIcon(const QString& symbolName);
// The symbol at `size` pixels, painted in `color`; null when there is no symbol.
[[nodiscard]] QPixmap tintedSymbol(const QString& symbolName, int size, const QColor& color);

}  // namespace zentrel::ui
