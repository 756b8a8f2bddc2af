#pragma once
// Whether the user asked the desktop for less motion. The app reads the
// desktop's setting once at start and sets it here; the backdrop, the cards'
// hover lift and the section reveals take their default from it.

namespace zentrel::ui {

[[nodiscard]] bool reducedMotion();
void setReducedMotion(bool reduce);

}  // namespace zentrel::ui
