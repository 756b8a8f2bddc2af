#include "ui/design/NamedColors.hpp"

namespace zentrel::ui {

const DynamicColor& namedColor(model::NamedColor color) {
    using model::NamedColor;
    static const DynamicColor blue(0xFF007AFF, 0xFF0A84FF), purple(0xFFAF52DE, 0xFFBF5AF2),
        green(0xFF34C759, 0xFF30D158), orange(0xFFFF9500, 0xFFFF9F0A), teal(0xFF30B0C7, 0xFF40CBE0),
        red(0xFFFF3B30, 0xFFFF453A), pink(0xFFFF2D55, 0xFFFF375F), indigo(0xFF5856D6, 0xFF5E5CE6),
        cyan(0xFF32ADE6, 0xFF64D2FF), brown(0xFFA2845E, 0xFFAC8E68), mint(0xFF00C7BE, 0xFF63E6E2);
    switch (color) {
    case NamedColor::blue: return blue;
    case NamedColor::purple: return purple;
    case NamedColor::green: return green;
    case NamedColor::orange: return orange;
    case NamedColor::teal: return teal;
    case NamedColor::red: return red;
    case NamedColor::pink: return pink;
    case NamedColor::indigo: return indigo;
    case NamedColor::cyan: return cyan;
    case NamedColor::brown: return brown;
    case NamedColor::mint: return mint;
    }
    return blue;
}

}  // namespace zentrel::ui
