#pragma once
// The picture behind every screen: a calm grid of faint dots drifting in
// small circles, with three slowly wandering coloured glows that brighten,
// enlarge and tint the dots near them. Each frame follows from the size,
// the time and the appearance alone.

#include "ui/design/DesignTokens.hpp"

#include <QPalette>
#include <QPointF>

#include <optional>

#include <vector>

namespace zentrel::ui {

struct Dot {
    QPointF center;
    double radius = 0.0;
    QColor color;  // opacity included
};

struct DotFieldFrame {
    QColor background;
    std::vector<Dot> dots;
};

// The frame for a canvas of `width` x `height` at time `t` (seconds since
// 2001-01-01; 0 for the still picture). Nothing at all when a side is 1 or less.
[[nodiscard]] std::optional<DotFieldFrame> dotFieldFrame(double width, double height, double t,
                                                         const QPalette& palette);

// Two colours mixed by `fraction` of the second, in the perceptual (OKLab) space.
[[nodiscard]] QColor perceptualMix(const QColor& from, const QColor& to, double fraction);

}  // namespace zentrel::ui
