#pragma once
// The two palettes the app itself can take: the style's own light one, and
// a dark one for desktops that prefer dark where the platform theme gives
// none.

#include <QPalette>

namespace zentrel::ui {

[[nodiscard]] QPalette lightAppPalette();
[[nodiscard]] QPalette darkAppPalette();

}  // namespace zentrel::ui
