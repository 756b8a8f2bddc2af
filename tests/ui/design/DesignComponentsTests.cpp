#include "ui/design/AppFeatureCard.hpp"
#include "ui/design/MetricCard.hpp"
#include "ui/design/PrimaryButton.hpp"
#include "ui/design/SidebarRow.hpp"
#include "ui/design/StatusPill.hpp"

#include <QFontMetrics>

#include <gtest/gtest.h>

namespace zentrel::ui {
namespace {

TEST(DesignComponentsTest, PillsTakeTheirVariantsColoursAndKeepTheirPadding) {
    StatusPill safe("Safe", {}, StatusPill::Variant::safe);
    EXPECT_EQ(safe.foregroundColor(), DesignTokens::health().resolve(safe.palette()));
    EXPECT_EQ(safe.backgroundColor(), DesignTokens::healthTint().resolve(safe.palette()));
    EXPECT_FALSE(safe.hasSymbol());
    const QFontMetrics metrics(DesignTokens::pillFont().font());
    EXPECT_EQ(safe.sizeHint(), QSize(metrics.horizontalAdvance("Safe") + 16, metrics.height() + 6));

    StatusPill neutral("Idle", {}, StatusPill::Variant::neutral);
    EXPECT_EQ(neutral.foregroundColor(), DesignTokens::textSecondary().resolve(neutral.palette()));
    StatusPill ai("AI", {}, StatusPill::Variant::ai);
    EXPECT_EQ(ai.backgroundColor(), DesignTokens::aiTint().resolve(ai.palette()));
}

TEST(DesignComponentsTest, SidebarRowsReadAsOneElement) {
    SidebarRow row("Duplicates", "doc.on.doc.fill", DesignTokens::accent(), QString("1.2 GB"), true, false);
    ASSERT_NE(row.newBadge(), nullptr);
    ASSERT_NE(row.trailingLabel(), nullptr);
    EXPECT_EQ(row.trailingLabel()->text(), "1.2 GB");
    EXPECT_EQ(row.accessibleName(), "Duplicates, NEW, 1.2 GB") << "with the size it shows";
    EXPECT_EQ(row.symbolColor(), DesignTokens::accent().resolve(row.palette()));

    SidebarRow plain("Boost", "power", DesignTokens::health(), std::nullopt, false, true);
    EXPECT_EQ(plain.newBadge(), nullptr);
    EXPECT_EQ(plain.trailingLabel(), nullptr);
    EXPECT_EQ(plain.accessibleName(), "Boost");
    EXPECT_EQ(plain.symbolColor(), DesignTokens::ai().resolve(plain.palette())) << "AI rows take the AI colour";
}

TEST(DesignComponentsTest, GlassCardsLiftOnlyWhenAskedAndMotionIsNotReduced) {
    GlassCard still(GlassCard::Variant::primary, 12, 14, false, nullptr);
    still.setHovered(true);
    EXPECT_FALSE(still.isHovered()) << "a card that does not lift does not track the pointer";
    EXPECT_EQ(still.currentScale(), 1.0);
    EXPECT_FALSE(still.tint());

    GlassCard calm(GlassCard::Variant::hero, 12, 14, true, nullptr);
    calm.setReduceMotion(true);
    calm.setHovered(true);
    EXPECT_TRUE(calm.isHovered());
    EXPECT_FALSE(calm.isLifted());
    EXPECT_EQ(calm.targetLift(), 0.0);
    ASSERT_TRUE(calm.tint());
    EXPECT_NEAR(calm.tint()->alphaF(), 0.10, 0.01) << "a light tint: text on it keeps its contrast";

    GlassCard lively(GlassCard::Variant::accent, 12, 14, true, nullptr);
    lively.setHovered(true);
    EXPECT_TRUE(lively.isLifted());
    EXPECT_EQ(lively.targetLift(), 1.0);
    lively.setHovered(false);
    EXPECT_EQ(lively.targetLift(), 0.0);
    EXPECT_NEAR(lively.tint()->alphaF(), 0.16, 0.01);
    EXPECT_FALSE(GlassCard(GlassCard::Variant::ghost, 0, 0, false, nullptr).tint());
}

TEST(DesignComponentsTest, FeatureAndMetricCardsShowWhatTheyAreGiven) {
    AppFeatureCard active("sparkles", DesignTokens::ai(), "Smart typing", "Types Vietnamese everywhere", true, true,
                          nullptr, nullptr);
    EXPECT_EQ(active.variant(), GlassCard::Variant::accent);
    ASSERT_NE(active.activePill(), nullptr);
    EXPECT_EQ(active.activePill()->text(), "Đang hoạt động");
    EXPECT_EQ(active.activePill()->variant(), StatusPill::Variant::safe);
    EXPECT_TRUE(active.subtitleLabel()->wordWrap());
    AppFeatureCard idle("sparkles", DesignTokens::ai(), "Smart typing", "Off", false, false, nullptr, nullptr);
    EXPECT_EQ(idle.variant(), GlassCard::Variant::primary);
    EXPECT_EQ(idle.activePill(), nullptr);

    MetricCard bare("Memory", "8 GB", std::nullopt, std::nullopt, DesignTokens::accent());
    EXPECT_EQ(bare.iconWell(), nullptr);
    EXPECT_EQ(bare.captionLabel(), nullptr);
    EXPECT_EQ(bare.valueLabel()->text(), "8 GB");
    MetricCard full("Memory", "8 GB", QString("of 16 GB"), QString("memorychip.fill"), DesignTokens::accent());
    ASSERT_NE(full.iconWell(), nullptr);
    EXPECT_EQ(full.iconWell()->size(), QSize(28, 28));
    EXPECT_EQ(full.captionLabel()->text(), "of 16 GB");
}

TEST(DesignComponentsTest, PrimaryButtonsRunTheirActionOncePerClick) {
    int runs = 0;
    PrimaryButton button("Clean", QString("trash.fill"), PrimaryButton::Variant::danger, true, [&] { ++runs; });
    button.click();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(button.tintColor(), DesignTokens::danger().resolve(button.palette()));
    EXPECT_EQ(button.sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    PrimaryButton natural("Scan", std::nullopt, PrimaryButton::Variant::accent, false, {});
    natural.click();
    EXPECT_EQ(natural.sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);
}

}  // namespace
}  // namespace zentrel::ui
