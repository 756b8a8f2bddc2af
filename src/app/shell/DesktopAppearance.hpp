#pragma once
// The window program's colours follow the desktop: where the desktop prefers
// dark and the platform theme has not already made the palette dark, the
// app takes a dark palette of its own.

namespace zentrel::app {

void applyDesktopAppearance();

}  // namespace zentrel::app
