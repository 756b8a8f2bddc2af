#pragma once
// The app's own picture, painted at any size: a rounded square in the
// accent gradient holding the disk ring. The window, the tray and the
// installed SVG icon show the same design.

#include <QIcon>
#include <QPixmap>

namespace zentrel::app {

[[nodiscard]] QPixmap appGlyph(int size);
[[nodiscard]] QIcon appIcon();

}  // namespace zentrel::app
