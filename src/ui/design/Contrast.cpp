#include "ui/design/Contrast.hpp"

#include <algorithm>
#include <cmath>

namespace zentrel::ui {
namespace {

double channel(double value) {
    return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& color) {
    return 0.2126 * channel(color.redF()) + 0.7152 * channel(color.greenF()) + 0.0722 * channel(color.blueF());
}

}  // namespace

QColor composited(const QColor& top, const QColor& below) {
    const double alpha = top.alphaF();
    const auto mix = [alpha](double a, double b) { return a * alpha + b * (1.0 - alpha); };
    return QColor::fromRgbF(static_cast<float>(mix(top.redF(), below.redF())),
                            static_cast<float>(mix(top.greenF(), below.greenF())),
                            static_cast<float>(mix(top.blueF(), below.blueF())));
}

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor fillForWhiteText(QColor fill) {
    for (int step = 0; step < 40 && contrastRatio(Qt::white, fill) < kSmallTextContrast; ++step)
        fill = fill.darker(104);
    return fill;
}

}  // namespace zentrel::ui
