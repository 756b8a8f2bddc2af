#pragma once
// Contrast between text and what it is drawn on, as the web's accessibility
// guidelines measure it: 4.5:1 for small text, 3:1 for large text.

#include <QColor>

namespace zentrel::ui {

inline constexpr double kSmallTextContrast = 4.5;
inline constexpr double kLargeTextContrast = 3.0;

// A translucent colour as it shows over an opaque one.
[[nodiscard]] QColor composited(const QColor& top, const QColor& below);
// From 1 (same luminance) to 21 (black on white); both colours opaque.
[[nodiscard]] double contrastRatio(const QColor& a, const QColor& b);
// The colour, darkened just enough for white small text on it.
[[nodiscard]] QColor fillForWhiteText(QColor fill);

}  // namespace zentrel::ui
