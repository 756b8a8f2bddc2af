#pragma once
// Where the tray popover opens: under the tray icon when the icon is in the
// upper half of its screen, above it otherwise, centred on it and kept
// inside the screen's available area. A tray that gives no icon geometry
// anchors it at the pointer instead.

#include <optional>

namespace zentrel::ui {

struct PopoverRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    [[nodiscard]] bool isEmpty() const { return width <= 0 || height <= 0; }
    bool operator==(const PopoverRect&) const = default;
};

inline constexpr int kPopoverGap = 4;

// `icon` none or empty: the one-pixel rectangle at `cursorX`, `cursorY`.
[[nodiscard]] PopoverRect popoverGeometry(std::optional<PopoverRect> icon, int cursorX, int cursorY, int width,
                                          int height, PopoverRect screen);

}  // namespace zentrel::ui
