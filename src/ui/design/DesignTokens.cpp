#include "ui/design/DesignTokens.hpp"

#include <QApplication>
#include <QFontDatabase>
#include <QPointF>

#include <algorithm>

namespace zentrel::ui {

Appearance appearanceOf(const QPalette& palette) {
    // The window's background decides, as the desktop's dark styles paint it.
    return palette.color(QPalette::Window).lightness() < 128 ? Appearance::dark : Appearance::light;
}

double desktopPointSize(double tokenSize) {
    const auto desktop = QApplication::font().pointSizeF();
    const double base = desktop > 0 ? desktop : 10.0;
    return std::max(base * tokenSize / kBodyTokenSize, base * kSmallestShare);
}

QFont FontToken::font() const {
    QFont font = design == FontDesign::monospaced ? QFontDatabase::systemFont(QFontDatabase::FixedFont)
                                                  : QApplication::font();
    font.setPointSizeF(desktopPointSize(pointSize));
    font.setWeight(weight.value_or(QFont::Normal));
    return font;
}

namespace DesignTokens {
namespace {

// A cubic Bézier easing from (0, 0) to (1, 1) through two control points.
QEasingCurve timingCurve(double c0x, double c0y, double c1x, double c1y) {
    QEasingCurve curve(QEasingCurve::BezierSpline);
    curve.addCubicBezierSegment(QPointF(c0x, c0y), QPointF(c1x, c1y), QPointF(1.0, 1.0));
    return curve;
}

}  // namespace

#define ZENTREL_DYNAMIC(name, lr, lg, lb, dr, dg, db)                      \
    const DynamicColor& name() {                                           \
        static const DynamicColor token(qRgb(lr, lg, lb), qRgb(dr, dg, db)); \
        return token;                                                      \
    }

// Text colours reach 4.5:1 on the canvas, the cards and their tints in both
// appearances; the tints are kept dark enough in the dark appearance for it.
ZENTREL_DYNAMIC(accent, 55, 138, 221, 133, 183, 235)
ZENTREL_DYNAMIC(accentText, 24, 95, 165, 181, 212, 244)
ZENTREL_DYNAMIC(accentFill, 24, 95, 165, 47, 123, 201)
ZENTREL_DYNAMIC(health, 12, 116, 84, 100, 212, 172)
ZENTREL_DYNAMIC(healthTint, 225, 245, 238, 10, 62, 48)
ZENTREL_DYNAMIC(review, 150, 90, 10, 239, 159, 39)
ZENTREL_DYNAMIC(reviewTint, 250, 238, 218, 74, 44, 6)
ZENTREL_DYNAMIC(danger, 163, 45, 45, 250, 128, 124)
ZENTREL_DYNAMIC(dangerTint, 252, 235, 235, 80, 22, 22)
ZENTREL_DYNAMIC(ai, 83, 74, 183, 175, 169, 236)
ZENTREL_DYNAMIC(aiTint, 238, 237, 254, 45, 40, 100)
ZENTREL_DYNAMIC(canvas, 247, 246, 243, 26, 26, 28)
ZENTREL_DYNAMIC(surface, 255, 255, 255, 46, 46, 51)
#undef ZENTREL_DYNAMIC

#define ZENTREL_PALETTE(name, role, opacity)                \
    const PaletteColor& name() {                            \
        static const PaletteColor token(role, opacity);     \
        return token;                                       \
    }

// The page background behind content, as the palette's alternate base.
ZENTREL_PALETTE(neutralTint, QPalette::AlternateBase, 1.0)
ZENTREL_PALETTE(hairline, QPalette::WindowText, 0.08)
ZENTREL_PALETTE(cardBorder, QPalette::WindowText, 0.08)
ZENTREL_PALETTE(textPrimary, QPalette::WindowText, 1.0)
ZENTREL_PALETTE(textSecondary, QPalette::WindowText, 0.72)
ZENTREL_PALETTE(textTertiary, QPalette::WindowText, 0.64)
#undef ZENTREL_PALETTE

QColor cardShadow() { return QColor(0, 0, 0, qRound(0.06 * 255)); }

#define ZENTREL_FONT(name, size, weight, design)                 \
    const FontToken& name() {                                    \
        static const FontToken token{size, weight, design};      \
        return token;                                            \
    }

ZENTREL_FONT(heroNumberFont, 48, QFont::DemiBold, FontDesign::rounded)
ZENTREL_FONT(displayFont, 26, QFont::DemiBold, FontDesign::rounded)
ZENTREL_FONT(titleFont, 19, QFont::Medium, FontDesign::standard)
ZENTREL_FONT(headlineFont, 17, QFont::Medium, FontDesign::standard)
ZENTREL_FONT(bodyFont, 15, QFont::Normal, FontDesign::standard)
ZENTREL_FONT(detailFont, 13, QFont::Normal, FontDesign::standard)
ZENTREL_FONT(codeFont, 14, QFont::Normal, FontDesign::monospaced)
ZENTREL_FONT(badgeFont, 9, QFont::DemiBold, FontDesign::standard)
ZENTREL_FONT(pillIconFont, 9, QFont::Medium, FontDesign::standard)
ZENTREL_FONT(footnoteFont, 10, QFont::Normal, FontDesign::standard)
ZENTREL_FONT(pillFont, 10, QFont::Medium, FontDesign::standard)
ZENTREL_FONT(tagFont, 10, QFont::DemiBold, FontDesign::standard)
ZENTREL_FONT(sectionLabelFont, 11, QFont::DemiBold, FontDesign::standard)
ZENTREL_FONT(buttonLabelFont, 13, QFont::Medium, FontDesign::standard)
ZENTREL_FONT(statusIconFont, 12, QFont::Bold, FontDesign::standard)
ZENTREL_FONT(codeSmallFont, 11, std::nullopt, FontDesign::monospaced)
ZENTREL_FONT(mediumIconFont, 16, QFont::Medium, FontDesign::standard)
ZENTREL_FONT(rowIconFont, 13, QFont::Medium, FontDesign::standard)
ZENTREL_FONT(headerIconFont, 18, QFont::Medium, FontDesign::standard)
ZENTREL_FONT(compactHeroIconFont, 30, QFont::Normal, FontDesign::standard)
ZENTREL_FONT(heroIconFont, 40, QFont::Normal, FontDesign::standard)
ZENTREL_FONT(emptyStateIconFont, 48, QFont::Normal, FontDesign::standard)
ZENTREL_FONT(promptIconFont, 52, QFont::Normal, FontDesign::standard)
ZENTREL_FONT(resultIconFont, 64, QFont::Normal, FontDesign::standard)
ZENTREL_FONT(ringLabelFont, 22, QFont::DemiBold, FontDesign::rounded)
ZENTREL_FONT(metricIconFont, 14, QFont::Medium, FontDesign::standard)
#undef ZENTREL_FONT

const AnimationToken& quickAnimation() {
    static const AnimationToken token{timingCurve(0.0, 0.0, 0.58, 1.0), 120};  // ease-out
    return token;
}

const AnimationToken& hoverAnimation() {
    static const AnimationToken token{timingCurve(0.2, 0.8, 0.2, 1.0), 160};
    return token;
}

const AnimationToken& emphasisAnimation() {
    static const AnimationToken token{timingCurve(0.2, 0.8, 0.2, 1.0), 280};
    return token;
}

const AnimationToken& revealAnimation() {
    static const AnimationToken token{timingCurve(0.22, 1.0, 0.36, 1.0), 550};
    return token;
}

}  // namespace DesignTokens
}  // namespace zentrel::ui
