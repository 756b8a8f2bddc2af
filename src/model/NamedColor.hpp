#pragma once
// The platform's standard named colours, which adapt to light and dark
// appearance. Screens map each name to their own palette.

namespace zentrel::model {

enum class NamedColor { blue, purple, green, orange, teal, red, pink, indigo, cyan, brown, mint };

}  // namespace zentrel::model
