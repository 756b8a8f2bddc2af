#include "ui/design/DesignTokens.hpp"

#include <QApplication>
#include <QFontDatabase>

#include <gtest/gtest.h>


namespace zentrel::ui {
namespace {

QPalette paletteWithWindow(QColor window) {
    QPalette palette;
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, window.lightness() < 128 ? Qt::white : Qt::black);
    return palette;
}

TEST(DesignTokensTest, DynamicColoursFollowTheAppearanceTheyAreDrawnIn) {
    const auto light = paletteWithWindow(QColor(240, 240, 240));
    const auto dark = paletteWithWindow(QColor(30, 30, 30));
    EXPECT_EQ(appearanceOf(light), Appearance::light);
    EXPECT_EQ(appearanceOf(dark), Appearance::dark);
    EXPECT_EQ(DesignTokens::surface().resolve(light), QColor(255, 255, 255));
    EXPECT_EQ(DesignTokens::surface().resolve(dark), QColor(46, 46, 51));
    EXPECT_EQ(DesignTokens::canvas().resolve(light), QColor(247, 246, 243));
    EXPECT_EQ(DesignTokens::canvas().resolve(dark), QColor(26, 26, 28));
    EXPECT_EQ(DesignTokens::accentText().resolve(Appearance::light), DesignTokens::accentFill().resolve(Appearance::light));
    EXPECT_NE(DesignTokens::accentText().resolve(Appearance::dark), DesignTokens::accentFill().resolve(Appearance::dark));
    EXPECT_EQ(DesignTokens::review().resolve(Appearance::dark).name(), "#ef9f27");
    EXPECT_EQ(&DesignTokens::accent(), &DesignTokens::accent()) << "one shared token";

    EXPECT_EQ(DesignTokens::hairline().resolve(light).alphaF(), DesignTokens::cardBorder().resolve(light).alphaF());
    EXPECT_NEAR(DesignTokens::textTertiary().resolve(dark).alphaF(), 0.64, 0.01);
    EXPECT_EQ(DesignTokens::textTertiary().resolve(dark).rgb(), QColor(Qt::white).rgb());
    EXPECT_NEAR(DesignTokens::cardShadow().alphaF(), 0.06, 0.01);
}

TEST(DesignTokensTest, FontsAndAnimations) {
    const auto hero = DesignTokens::heroNumberFont().font();
    // Sizes keep their ratio to the body size, which is the desktop's own.
    EXPECT_DOUBLE_EQ(DesignTokens::bodyFont().font().pointSizeF(), QApplication::font().pointSizeF());
    EXPECT_NEAR(hero.pointSizeF() / DesignTokens::bodyFont().font().pointSizeF(), 48.0 / 15.0, 0.01);
    EXPECT_NEAR(DesignTokens::badgeFont().font().pointSizeF(), 0.75 * QApplication::font().pointSizeF(), 0.01)
        << "never smaller than three quarters of the body size";
    EXPECT_EQ(hero.weight(), QFont::DemiBold);
    EXPECT_EQ(DesignTokens::codeSmallFont().font().weight(), QFont::Normal);
    EXPECT_EQ(DesignTokens::codeFont().font().family(), QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
    EXPECT_EQ(DesignTokens::buttonLabelFont().font(), DesignTokens::rowIconFont().font());

    EXPECT_EQ(DesignTokens::revealAnimation().durationMs, 550);
    const auto& reveal = DesignTokens::revealAnimation().curve;
    EXPECT_NEAR(reveal.valueForProgress(0.0), 0.0, 1e-6);
    EXPECT_NEAR(reveal.valueForProgress(1.0), 1.0, 1e-6);
    EXPECT_GT(reveal.valueForProgress(0.3), 0.6) << "a fast start that settles";
    EXPECT_LT(DesignTokens::quickAnimation().curve.valueForProgress(0.9), 1.0);
    EXPECT_EQ(DesignTokens::quickAnimation().durationMs, 120);
}

}  // namespace
}  // namespace zentrel::ui
