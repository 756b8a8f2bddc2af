#pragma once
// Where the focus lands when a page arrives because of what the user did
// there: a scan started or ended, a clean finished, a result came back. The
// landing is the element whose name says the result (the heading of its
// card), so a screen reader speaks it once, as it arrives. It takes the
// focus on a click as well, but Tab passes it by.

#include <QWidget>

namespace zentrel::ui {

// Marks `widget` as its page's landing; never a label, which a focus policy
// turns into a text editor.
void markLanding(QWidget& widget);

// True when the window's focus is `area` or inside it, also while another
// window (a dialog of it) is active.
[[nodiscard]] bool holdsFocus(const QWidget& area);

// Shows `page` and focuses its landing, or else its first control that takes
// Tab; false when it has neither.
bool focusLanding(QWidget& page);

}  // namespace zentrel::ui
