#pragma once
// Light and dark while the program runs: widgets that keep a resolved colour
// (a label's text colour, a tinted symbol, a style sheet) re-resolve it
// whenever the application's palette changes, so switching the desktop's
// appearance reaches every open screen.

#include <QPalette>
#include <QWidget>

#include <functional>

namespace zentrel::ui {

// The palette tokens resolve against: the application's.
[[nodiscard]] QPalette appPalette();

// Calls `apply` now and again after each change of the application's palette,
// for as long as `widget` lives.
void followAppearance(QWidget* widget, std::function<void()> apply);

}  // namespace zentrel::ui
