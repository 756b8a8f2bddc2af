#include "ui/design/AppCanvas.hpp"
#include "ui/design/DesignLabels.hpp"
#include "ui/design/DiskRing.hpp"
#include "ui/design/DotField.hpp"
#include "ui/design/ProgressMeter.hpp"
#include "ui/design/SectionReveal.hpp"
#include "ui/design/StatusPill.hpp"
#include "ui/design/SymbolImage.hpp"

#include "doubles/FakeClock.hpp"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace zentrel::ui {
namespace {

QPalette paletteWithWindow(QColor window, QColor text) {
    QPalette palette;
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    return palette;
}

TEST(DotFieldTest, TheGridItsGlowsAndItsLimits) {
    const auto light = paletteWithWindow(QColor(240, 240, 240), Qt::black);
    EXPECT_FALSE(dotFieldFrame(1, 500, 0, light)) << "a side of 1 draws nothing";
    const auto frame = dotFieldFrame(300, 200, 0, light);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->background, DesignTokens::canvas().resolve(light));
    EXPECT_EQ(frame->dots.size(), static_cast<std::size_t>((10 + 2) * (6 + 2)));
    // The first dot circles the origin: phase 0 puts it 3.4 to the right.
    EXPECT_NEAR(frame->dots[0].center.x(), 3.4, 1e-9);
    EXPECT_NEAR(frame->dots[0].center.y(), 0.0, 1e-9);
    double maxAlpha = 0;
    double minAlpha = 1;
    for (const auto& dot : frame->dots) {
        maxAlpha = std::max(maxAlpha, static_cast<double>(dot.color.alphaF()));
        minAlpha = std::min(minAlpha, static_cast<double>(dot.color.alphaF()));
        EXPECT_GE(dot.radius, 1.3);
    }
    EXPECT_NEAR(minAlpha, 0.05, 0.005) << "far from the glows: the base opacity of the light appearance";
    EXPECT_LE(maxAlpha, 0.55 + 0.005);
    EXPECT_GT(maxAlpha, 0.2) << "dots near a glow brighten";

    const auto dark = dotFieldFrame(300, 200, 0, paletteWithWindow(QColor(20, 20, 20), Qt::white));
    EXPECT_NEAR(dark->dots.back().color.alphaF(), 0.09, 0.005) << "the dark appearance's base opacity";
    EXPECT_NE(dotFieldFrame(300, 200, 50, light)->dots[0].center, frame->dots[0].center) << "time moves the dots";
}

TEST(DotFieldTest, PerceptualMixKeepsItsEnds) {
    EXPECT_EQ(perceptualMix(Qt::red, Qt::blue, 0.0).rgb(), QColor(Qt::red).rgb());
    const auto end = perceptualMix(Qt::red, Qt::blue, 1.0);
    EXPECT_NEAR(end.blueF(), 1.0, 0.01);
    EXPECT_NEAR(end.redF(), 0.0, 0.01);
}

TEST(BackdropTest, AStillCanvasShowsThePictureForTimeZero) {
    AppCanvas canvas(nullptr);
    EXPECT_FALSE(canvas.isAnimating()) << "not the active window";
    EXPECT_EQ(canvas.pictureTime(), 0.0);
    canvas.setReduceMotion(true);
    EXPECT_FALSE(canvas.isAnimating());
}

// A shown, active canvas window with a text in its middle.
class ActiveCanvasTest : public ::testing::Test {
protected:
    ActiveCanvasTest() {
        text->setParent(&canvas);
        canvas.setReduceMotion(false);
        canvas.resize(600, 400);
        text->setGeometry(200, 150, 200, 40);
        canvas.show();
        QApplication::setActiveWindow(&canvas);
    }
    testing::FakeClock clock;
    QLabel* text = new QLabel("Welcome to the window");
    AppCanvas canvas{nullptr, clock};
};

TEST_F(ActiveCanvasTest, MovesAtTheFrameRateThenRestsWithoutInputAndWakesOnInput) {
    ASSERT_TRUE(canvas.isActiveWindow());
    EXPECT_TRUE(canvas.isAnimating());
    EXPECT_GE(canvas.frameIntervalMs(), 1000 / 30);
    const double start = canvas.pictureTime();
    clock.advance(std::chrono::milliseconds(33));
    canvas.nextFrame();
    EXPECT_NEAR(canvas.pictureTime() - start, 0.033, 1e-6);
    clock.advance(std::chrono::seconds(5));
    canvas.nextFrame();
    EXPECT_LT(canvas.pictureTime() - start, 0.2) << "a late frame never jumps";

    clock.advance(std::chrono::seconds(static_cast<int>(AppCanvas::kRestAfterSeconds)));
    canvas.nextFrame();
    EXPECT_FALSE(canvas.isAnimating()) << "nothing happened in the window for a while";
    const double rested = canvas.pictureTime();
    EXPECT_NE(rested, 0.0) << "it rests on its last picture";
    clock.advance(std::chrono::seconds(60));
    EXPECT_EQ(canvas.pictureTime(), rested);

    QMouseEvent move(QEvent::MouseMove, QPointF(10, 10), QPointF(10, 10), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(text, &move);
    EXPECT_TRUE(canvas.isAnimating());
    clock.advance(std::chrono::milliseconds(33));
    canvas.nextFrame();
    EXPECT_NEAR(canvas.pictureTime() - rested, 0.033, 1e-6) << "on from where it rested";

    canvas.setReduceMotion(true);
    EXPECT_FALSE(canvas.isAnimating());
    EXPECT_EQ(canvas.pictureTime(), 0.0);
    canvas.setReduceMotion(false);
    canvas.hide();
    EXPECT_FALSE(canvas.isAnimating()) << "a hidden window never moves";
}

TEST_F(ActiveCanvasTest, NoDotStandsUnderAnyKindOfText) {
    const auto all = dotFieldFrame(600, 400, canvas.pictureTime(), canvas.palette())->dots;
    text->hide();
    ASSERT_EQ(canvas.shownDots().size(), all.size());
    const std::vector<std::pair<const char*, std::function<QWidget*()>>> kinds{
        {"a label", [this]() -> QWidget* { return text; }},
        {"a symbol",
         []() -> QWidget* {
             return symbolLabel("magnifyingglass", DesignTokens::bodyFont(), DesignTokens::textTertiary(), nullptr);
         }},
        {"a text field", []() -> QWidget* { return new QLineEdit; }},
        {"an icon button",
         []() -> QWidget* {
             auto* button = new QToolButton;
             button->setIcon(QIcon(tintedSymbol("arrow.clockwise", 16, Qt::black, 1.0)));
             return button;
         }},
        {"a pill", []() -> QWidget* { return new StatusPill("ON", {}, StatusPill::Variant::safe); }},
    };
    for (const auto& [kind, make] : kinds) {
        auto* widget = make();
        widget->setParent(&canvas);
        widget->setGeometry(200, 150, 200, 40);
        widget->show();
        const auto shown = canvas.shownDots();
        EXPECT_LT(shown.size(), all.size()) << kind;
        EXPECT_GT(shown.size(), all.size() / 2) << kind;
        for (const auto& dot : shown)
            EXPECT_FALSE(widget->geometry().adjusted(-4, -4, 4, 4).contains(dot.center.toPoint())) << kind;
        widget->hide();
    }
}

TEST(MetersTest, RingAndMeterFollowTheirValues) {
    EXPECT_EQ(DiskRing::fillFraction(0.0), 0.001);
    EXPECT_EQ(DiskRing::fillFraction(1.3), 1.0);
    EXPECT_EQ(DiskRing::fillFraction(0.4), 0.4);
    DiskRing ring(0.2, QString("42%"), std::nullopt, 120, 10);
    EXPECT_EQ(ring.size(), QSize(120, 120));
    ASSERT_NE(ring.centerLabel(), nullptr);
    EXPECT_EQ(ring.captionLabel(), nullptr);
    ring.setUsedFraction(0.6);
    EXPECT_EQ(ring.targetFraction(), 0.6);

    EXPECT_EQ(ProgressMeter::percentText(0.5), "50%");
    EXPECT_EQ(ProgressMeter::percentText(0.999), "99%");
    EXPECT_EQ(ProgressMeter::fillWidth(0.5, 200), 100.0);
    EXPECT_EQ(ProgressMeter::fillWidth(-0.2, 200), 0.0);
    ProgressMeter labelled(0.5, QString("Memory"), std::nullopt);
    ASSERT_NE(labelled.percentLabel(), nullptr);
    EXPECT_EQ(labelled.percentLabel()->text(), "50%");
    EXPECT_EQ(labelled.bar()->height(), 6);
    ProgressMeter bare(0.5, std::nullopt, QString("caption"));
    EXPECT_EQ(bare.percentLabel(), nullptr);
}

TEST(SectionRevealTest, HiddenAndLowUntilItsDelayUnlessMotionIsReduced) {
    QWidget section;
    auto* reveal = new SectionReveal(&section, 0.2, false);
    EXPECT_FALSE(reveal->hasAppeared());
    EXPECT_EQ(reveal->opacity(), 0.0);
    EXPECT_EQ(reveal->offset(), 8.0);
    EXPECT_EQ(section.contentsMargins().top(), 8);

    QWidget calm;
    auto* still = new SectionReveal(&calm, 0.2, true);
    EXPECT_TRUE(still->hasAppeared());
    EXPECT_EQ(still->opacity(), 1.0);
    EXPECT_EQ(still->offset(), 0.0);
    EXPECT_EQ(calm.graphicsEffect(), nullptr);
}

}  // namespace
}  // namespace zentrel::ui
