#pragma once
// Return and keypad Enter press the focused push or tool button, as Space
// does, in every window of the application. With no button focused they go
// on as before: a dialog presses its default button (Cancel in a destructive
// one), Escape cancels it.

namespace zentrel::ui {

// Watches the application's key presses from now on; calling it again does nothing.
void pressFocusedButtonsWithReturn();

}  // namespace zentrel::ui
