#include "ui/presenters/PopoverPlacement.hpp"

#include <algorithm>

namespace zentrel::ui {
namespace {

int within(int start, int length, int areaStart, int areaLength) {
    // Too long for the area: its start edge stays in sight.
    return std::max(areaStart, std::min(start, areaStart + areaLength - length));
}

}  // namespace

PopoverRect popoverGeometry(std::optional<PopoverRect> icon, int cursorX, int cursorY, int width, int height,
                            PopoverRect screen) {
    const auto anchor = icon && !icon->isEmpty() ? *icon : PopoverRect{cursorX, cursorY, 1, 1};
    const int x = anchor.x + anchor.width / 2 - width / 2;
    const bool upperHalf = anchor.y + anchor.height / 2 < screen.y + screen.height / 2;
    const int y = upperHalf ? anchor.y + anchor.height + kPopoverGap : anchor.y - kPopoverGap - height;
    return {within(x, width, screen.x, screen.width), within(y, height, screen.y, screen.height), width, height};
}

}  // namespace zentrel::ui
