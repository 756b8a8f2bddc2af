#pragma once
// The app's named visual constants: colours, fonts and animation curves.
// Screens and design components take their looks from these by name.
// Thirteen colours carry a light and a dark value and are resolved against
// the palette they are drawn with, so one token serves both appearances.
// Every token is made once, on first read, and shared.

#include <QColor>
#include <QEasingCurve>
#include <QFont>
#include <QPalette>

#include <optional>

namespace zentrel::ui {

// Light or dark, as the palette a widget draws with shows it.
enum class Appearance { light, dark };
[[nodiscard]] Appearance appearanceOf(const QPalette& palette);

class DynamicColor {
public:
    constexpr DynamicColor(QRgb light, QRgb dark) : light_(light), dark_(dark) {}
    [[nodiscard]] QColor resolve(Appearance appearance) const {
        return QColor::fromRgb(appearance == Appearance::dark ? dark_ : light_);
    }
    [[nodiscard]] QColor resolve(const QPalette& palette) const { return resolve(appearanceOf(palette)); }

private:
    QRgb light_;
    QRgb dark_;
};

// A colour built on the palette's own colours, which follow the appearance themselves.
class PaletteColor {
public:
    constexpr PaletteColor(QPalette::ColorRole role, double opacity) : role_(role), opacity_(opacity) {}
    [[nodiscard]] QColor resolve(const QPalette& palette) const {
        auto color = palette.color(role_);
        color.setAlphaF(static_cast<float>(color.alphaF() * opacity_));
        return color;
    }

private:
    QPalette::ColorRole role_;
    double opacity_;
};

// Either kind of colour token, or a caller's fixed colour, resolved for drawing.
class ColorToken {
public:
    ColorToken(const DynamicColor& color) : dynamic_(&color) {}   // NOLINT: tokens convert freely
    ColorToken(const PaletteColor& color) : palette_(&color) {}   // NOLINT
    ColorToken(QColor fixed) : fixed_(fixed) {}                     // NOLINT
    [[nodiscard]] QColor resolve(const QPalette& palette) const {
        if (dynamic_ != nullptr) return dynamic_->resolve(palette);
        if (palette_ != nullptr) return palette_->resolve(palette);
        return fixed_;
    }

private:
    const DynamicColor* dynamic_ = nullptr;
    const PaletteColor* palette_ = nullptr;
    QColor fixed_;
};

enum class FontDesign { standard, rounded, monospaced };

// Font sizes are given on the scale where body text is 15: the body token
// is the desktop's own font size, and every other size keeps its ratio to
// it, never smaller than three quarters of it.
inline constexpr double kBodyTokenSize = 15.0;
inline constexpr double kSmallestShare = 0.75;
// The desktop point size of a token size.
[[nodiscard]] double desktopPointSize(double tokenSize);

struct FontToken {
    double pointSize;                     // on the token scale
    std::optional<QFont::Weight> weight;  // none: the system's regular weight
    FontDesign design;
    // The desktop's font at this token's size, weight and design. This
    // desktop has no rounded system design; rounded tokens use the standard one.
    [[nodiscard]] QFont font() const;
};

struct AnimationToken {
    QEasingCurve curve;
    int durationMs;
};

namespace DesignTokens {

// Dynamic colours.
[[nodiscard]] const DynamicColor& accent();
[[nodiscard]] const DynamicColor& accentText();
[[nodiscard]] const DynamicColor& accentFill();
[[nodiscard]] const DynamicColor& health();
[[nodiscard]] const DynamicColor& healthTint();
[[nodiscard]] const DynamicColor& review();
[[nodiscard]] const DynamicColor& reviewTint();
[[nodiscard]] const DynamicColor& danger();
[[nodiscard]] const DynamicColor& dangerTint();
[[nodiscard]] const DynamicColor& ai();
[[nodiscard]] const DynamicColor& aiTint();
[[nodiscard]] const DynamicColor& canvas();
[[nodiscard]] const DynamicColor& surface();

// Colours on the palette's own.
[[nodiscard]] const PaletteColor& neutralTint();
[[nodiscard]] const PaletteColor& hairline();
[[nodiscard]] const PaletteColor& cardBorder();
[[nodiscard]] const PaletteColor& textPrimary();
[[nodiscard]] const PaletteColor& textSecondary();
[[nodiscard]] const PaletteColor& textTertiary();
[[nodiscard]] QColor cardShadow();

// Fonts.
[[nodiscard]] const FontToken& heroNumberFont();
[[nodiscard]] const FontToken& displayFont();
[[nodiscard]] const FontToken& titleFont();
[[nodiscard]] const FontToken& headlineFont();
[[nodiscard]] const FontToken& bodyFont();
[[nodiscard]] const FontToken& detailFont();
[[nodiscard]] const FontToken& codeFont();
[[nodiscard]] const FontToken& badgeFont();
[[nodiscard]] const FontToken& pillIconFont();
[[nodiscard]] const FontToken& footnoteFont();
[[nodiscard]] const FontToken& pillFont();
[[nodiscard]] const FontToken& tagFont();
[[nodiscard]] const FontToken& sectionLabelFont();
[[nodiscard]] const FontToken& buttonLabelFont();
[[nodiscard]] const FontToken& statusIconFont();
[[nodiscard]] const FontToken& codeSmallFont();
[[nodiscard]] const FontToken& mediumIconFont();
[[nodiscard]] const FontToken& rowIconFont();
[[nodiscard]] const FontToken& headerIconFont();
[[nodiscard]] const FontToken& compactHeroIconFont();
[[nodiscard]] const FontToken& heroIconFont();
[[nodiscard]] const FontToken& emptyStateIconFont();
[[nodiscard]] const FontToken& promptIconFont();
[[nodiscard]] const FontToken& resultIconFont();
[[nodiscard]] const FontToken& ringLabelFont();
[[nodiscard]] const FontToken& metricIconFont();

// Animations.
[[nodiscard]] const AnimationToken& quickAnimation();
[[nodiscard]] const AnimationToken& hoverAnimation();
[[nodiscard]] const AnimationToken& emphasisAnimation();
[[nodiscard]] const AnimationToken& revealAnimation();

}  // namespace DesignTokens

}  // namespace zentrel::ui
