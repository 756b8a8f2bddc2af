#include "ui/design/AppPalette.hpp"
#include "ui/design/Contrast.hpp"
#include "ui/design/DesignLabels.hpp"
#include "ui/design/GlassCard.hpp"
#include "ui/design/SegmentButton.hpp"
#include "ui/design/SwitchToggle.hpp"

#include <QApplication>

#include <gtest/gtest.h>

namespace zentrel::ui {
namespace {

using namespace DesignTokens;

struct Pair {
    const char* name;
    ColorToken text;
    std::function<QColor(const QPalette&)> background;
};

QColor card(GlassCard::Variant variant, const QPalette& palette) { return GlassCard::background(variant, palette); }

TEST(ContrastTest, EveryTextOnWhatItIsDrawnOnReadsInBothAppearances) {
    const auto onCanvas = [](const QPalette& p) { return canvas().resolve(p); };
    const auto onCard = [](const QPalette& p) { return card(GlassCard::Variant::primary, p); };
    const auto onHero = [](const QPalette& p) { return card(GlassCard::Variant::hero, p); };
    const auto onAccentCard = [](const QPalette& p) { return card(GlassCard::Variant::accent, p); };
    std::vector<Pair> pairs;
    for (const auto& [where, background] :
         std::vector<std::pair<const char*, std::function<QColor(const QPalette&)>>>{
             {"canvas", onCanvas}, {"card", onCard}, {"hero card", onHero}, {"accent card", onAccentCard}}) {
        for (const auto& [what, text] : std::vector<std::pair<const char*, ColorToken>>{
                 {"primary", textPrimary()}, {"secondary", textSecondary()}, {"tertiary", textTertiary()},
                 {"accent text", accentText()}})
            pairs.push_back({what, text, background});
    }
    for (const auto& [what, text] : std::vector<std::pair<const char*, ColorToken>>{
             {"health", health()}, {"review", review()}, {"danger", danger()}, {"ai", ai()}}) {
        pairs.push_back({what, text, onCanvas});
        pairs.push_back({what, text, onCard});
    }
    // The pills, the NEW badge among them.
    for (const auto& [what, text, tint] : std::vector<std::tuple<const char*, ColorToken, ColorToken>>{
             {"safe pill", health(), healthTint()}, {"review pill", review(), reviewTint()},
             {"danger pill", danger(), dangerTint()}, {"ai pill", ai(), aiTint()},
             {"neutral pill", textSecondary(), neutralTint()}}) {
        pairs.push_back({what, text, [tint](const QPalette& p) { return composited(tint.resolve(p), canvas().resolve(p)); }});
    }
    // White labels on the primary buttons.
    for (const auto& [what, fill] : std::vector<std::pair<const char*, ColorToken>>{
             {"accent button", accentFill()}, {"danger button", danger()}, {"health button", health()}}) {
        pairs.push_back({what, QColor(Qt::white), [fill](const QPalette& p) { return fillForWhiteText(fill.resolve(p)); }});
    }

    for (const auto& [appearance, palette] :
         std::vector<std::pair<const char*, QPalette>>{{"light", lightAppPalette()}, {"dark", darkAppPalette()}}) {
        for (const auto& pair : pairs) {
            const auto background = pair.background(palette);
            const auto text = composited(pair.text.resolve(palette), background);
            EXPECT_GE(contrastRatio(text, background), kSmallTextContrast) << pair.name << " in " << appearance;
        }
    }
}

TEST(ContrastTest, LabelsAndCardsFollowASwitchOfAppearanceWhileShown) {
    const auto original = QApplication::palette();
    QWidget window;
    auto* text = tokenLabel("Saved", bodyFont(), textSecondary(), nullptr);
    auto& card = *new GlassCard(GlassCard::Variant::accent, 8, 8, false, text, &window);
    const auto shown = [&] { return text->palette().color(QPalette::WindowText); };
    for (const auto& palette : {darkAppPalette(), lightAppPalette(), darkAppPalette()}) {
        QApplication::setPalette(palette);
        EXPECT_EQ(shown(), textSecondary().resolve(palette));
        EXPECT_EQ(*card.tint(), *GlassCard::glassTint(GlassCard::Variant::accent, palette));
    }
    QApplication::setPalette(original);
    EXPECT_EQ(shown(), textSecondary().resolve(original));
}

TEST(ContrastTest, TheChosenSegmentAndTheSwitchStandOutFromTheirCardInBothAppearances) {
    for (const auto& [appearance, palette] :
         std::vector<std::pair<const char*, QPalette>>{{"light", lightAppPalette()}, {"dark", darkAppPalette()}}) {
        for (const auto& below : {card(GlassCard::Variant::primary, palette), canvas().resolve(palette)}) {
            const auto chosen = SegmentButton::colors(true, palette, below);
            EXPECT_GE(contrastRatio(chosen.fill, below), kLargeTextContrast) << "chosen segment in " << appearance;
            EXPECT_GE(contrastRatio(chosen.text, chosen.fill), kSmallTextContrast) << "its text in " << appearance;
            const auto other = SegmentButton::colors(false, palette, below);
            EXPECT_GE(contrastRatio(composited(other.text, below), below), kSmallTextContrast) << appearance;
            for (const bool on : {true, false}) {
                const auto track = SwitchToggle::trackColor(on, palette);
                EXPECT_GE(contrastRatio(track, below), kLargeTextContrast) << "switch " << on << " in " << appearance;
                EXPECT_GE(contrastRatio(QColor(Qt::white), track), kLargeTextContrast) << "knob " << on << " in "
                                                                                         << appearance;
            }
        }
    }
}

TEST(SwitchToggleTest, TogglesByClickAndKeyAndShowsItsState) {
    SwitchToggle toggle("Show background processes");
    toggle.resize(toggle.sizeHint());
    EXPECT_GE(toggle.sizeHint().width(), SwitchToggle::kTrackWidth + SwitchToggle::kGap);
    EXPECT_TRUE(toggle.rect().contains(toggle.trackRect()));
    EXPECT_FALSE(toggle.isChecked());
    toggle.click();
    EXPECT_TRUE(toggle.isChecked());
    EXPECT_EQ(toggle.focusPolicy() & Qt::TabFocus, Qt::TabFocus) << "reached by keyboard";
    toggle.setEnabled(false);
    toggle.click();
    EXPECT_TRUE(toggle.isChecked()) << "a disabled switch does not move";
}

}  // namespace
}  // namespace zentrel::ui
