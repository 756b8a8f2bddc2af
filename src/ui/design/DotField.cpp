#include "ui/design/DotField.hpp"

#include <algorithm>
#include <array>
#include <cmath>

namespace zentrel::ui {
namespace {

struct Lab {
    double l, a, b;
};

double toLinear(double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); }
double toGamma(double c) { return c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1.0 / 2.4) - 0.055; }

Lab toLab(const QColor& color) {
    const double r = toLinear(color.redF()), g = toLinear(color.greenF()), b = toLinear(color.blueF());
    const double l = std::cbrt(0.4122214708 * r + 0.5363325363 * g + 0.0514459929 * b);
    const double m = std::cbrt(0.2119034982 * r + 0.6806995451 * g + 0.1073969566 * b);
    const double s = std::cbrt(0.0883024619 * r + 0.2817188376 * g + 0.6299787005 * b);
    return {0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s, 1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s,
            0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s};
}

QColor fromLab(const Lab& lab, double alpha) {
    const double l = std::pow(lab.l + 0.3963377774 * lab.a + 0.2158037573 * lab.b, 3);
    const double m = std::pow(lab.l - 0.1055613458 * lab.a - 0.0638541728 * lab.b, 3);
    const double s = std::pow(lab.l - 0.0894841775 * lab.a - 1.2914855480 * lab.b, 3);
    const auto channel = [](double linear) { return std::clamp(toGamma(linear), 0.0, 1.0); };
    return QColor::fromRgbF(static_cast<float>(channel(4.0767416621 * l - 3.3077115913 * m + 0.2309699292 * s)),
                            static_cast<float>(channel(-1.2684380046 * l + 2.6097574011 * m - 0.3413193965 * s)),
                            static_cast<float>(channel(-0.0041960863 * l - 0.7034186147 * m + 1.7076147010 * s)),
                            static_cast<float>(alpha));
}

}  // namespace

QColor perceptualMix(const QColor& from, const QColor& to, double fraction) {
    const auto a = toLab(from);
    const auto b = toLab(to);
    const auto mix = [fraction](double x, double y) { return x + (y - x) * fraction; };
    return fromLab({mix(a.l, b.l), mix(a.a, b.a), mix(a.b, b.b)}, mix(from.alphaF(), to.alphaF()));
}

std::optional<DotFieldFrame> dotFieldFrame(double width, double height, double t, const QPalette& palette) {
    if (width <= 1 || height <= 1) return std::nullopt;
    DotFieldFrame frame;
    frame.background = DesignTokens::canvas().resolve(palette);
    const double glowRadius = 0.34 * std::min(width, height);

    struct Blob {
        QPointF center;
        QColor color;
    };
    const double a = 2.2 - 0.12 * t;
    const std::array<Blob, 3> blobs = {{
        {{width * (0.5 + 0.3 * std::cos(0.16 * t)), height * (0.5 + 0.3 * std::sin(0.16 * t))},
         DesignTokens::accent().resolve(palette)},
        {{width * (0.5 + 0.26 * std::cos(a)), height * (0.5 + 0.26 * std::sin(a))}, DesignTokens::ai().resolve(palette)},
        {{width * (0.5 + 0.22 * std::cos(0.09 * t + 4.1)), height * (0.5 + 0.3 * std::sin(0.1 * t + 4.1))},
         DesignTokens::health().resolve(palette)},
    }};
    const QColor base = palette.color(QPalette::WindowText);
    const double baseOpacity = appearanceOf(palette) == Appearance::dark ? 0.09 : 0.05;

    constexpr double kCell = 30.0;
    const int columns = static_cast<int>(width / kCell) + 2;
    const int rows = static_cast<int>(height / kCell) + 2;
    frame.dots.reserve(static_cast<std::size_t>(columns * rows));
    for (int j = 0; j < rows; ++j) {
        for (int i = 0; i < columns; ++i) {
            const double phase = 0.55 * i + 0.42 * j + 0.5 * t;
            const QPointF center(kCell * i + 3.4 * std::cos(phase), kCell * j + 3.4 * std::sin(phase));
            double opacity = baseOpacity;
            double extra = 0.0;
            double strongest = 0.0;
            const QColor* glow = nullptr;
            for (const auto& blob : blobs) {
                const double distance = std::hypot(center.x() - blob.center.x(), center.y() - blob.center.y());
                const double f = 1.0 - distance / glowRadius;
                if (f <= 0) continue;
                const double g = f * f;
                opacity += 0.42 * g;
                extra += 2.4 * g;
                if (g > strongest) {
                    strongest = g;
                    glow = &blob.color;
                }
            }
            QColor color = strongest > 0.001 && glow != nullptr ? perceptualMix(base, *glow, std::min(strongest, 0.85))
                                                                 : base;
            color.setAlphaF(static_cast<float>(std::min(opacity, 0.55)));
            frame.dots.push_back({center, 1.3 + extra, color});
        }
    }
    return frame;
}

}  // namespace zentrel::ui
