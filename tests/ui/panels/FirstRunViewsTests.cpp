#include "ui/design/AppCanvas.hpp"
#include "ui/design/CapsuleLabel.hpp"
#include "ui/design/MotionPreference.hpp"
#include "ui/panels/OnboardingParts.hpp"
#include "ui/panels/OnboardingView.hpp"
#include "ui/panels/PermissionView.hpp"

#include "doubles/PermissionsDoubles.hpp"
#include "ui/StillTypingPermission.hpp"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>

#include <gtest/gtest.h>

namespace zentrel::ui {
namespace {

using namespace std::chrono_literals;

class FirstRunViewsTest : public ::testing::Test {
protected:
    FirstRunViewsTest() {
        permissions = doubles.makePermissions();
        settle();
    }
    void settle() {
        doubles.settle();
        doubles.clock.advance(1s);
        doubles.settle();
    }
    testing::PermissionsDoubles doubles;
    std::unique_ptr<services::PermissionsManager> permissions;
    testing::StillTypingPermission typing;
};

TEST_F(FirstRunViewsTest, OnboardingWalksItsStepsAndFinishesFromTheLast) {
    doubles.fullDiskAccess.granted = false;
    permissions->refresh();
    settle();
    int finished = 0;
    OnboardingView view({*permissions, typing, [&] { ++finished; }, {}, {"en-US"}});
    view.show();
    EXPECT_EQ(view.size(), QSize(680, 640));
    EXPECT_TRUE(view.backButton()->isHidden());
    EXPECT_EQ(view.dots()->accessibleName(), "Onboarding step 1 of 4");

    view.continueButton()->click();
    view.confirm();  // Ctrl+Return
    EXPECT_EQ(view.pages()->currentIndex(), 2);
    EXPECT_FALSE(view.backButton()->isHidden());
    view.confirm();
    EXPECT_EQ(view.pages()->currentIndex(), 3);
    EXPECT_TRUE(view.continueButton()->isHidden());
    EXPECT_EQ(permissions->pollingRequestCount, 1) << "the shown checklist holds the poll";
    EXPECT_EQ(view.finishButton()->text(), "Continue");

    permissions->fullDiskAccess.set(true);
    EXPECT_EQ(view.finishButton()->text(), "Get Started");
    EXPECT_EQ(view.pages()->currentIndex(), 3);
    view.confirm();
    view.finishButton()->click();
    EXPECT_EQ(finished, 2);
    view.hide();
    EXPECT_EQ(permissions->pollingRequestCount, 0);
}

// Where the canvas's texts stand, symbols in a line of text and the hero circle included.
std::vector<std::pair<std::string, QRect>> textRects(const QWidget& canvas) {
    std::vector<std::pair<std::string, QRect>> rects;
    // The part a scroll area shows.
    const auto add = [&](const QWidget* widget, const QString& name) {
        const auto shown = widget->visibleRegion().boundingRect();
        if (widget->isVisible() && !shown.isEmpty())
            rects.emplace_back(name.toStdString(), shown.translated(widget->mapTo(&canvas, QPoint(0, 0))));
    };
    for (const auto* label : canvas.findChildren<QLabel*>())
        if (!label->text().isEmpty() || !label->pixmap().isNull())
            add(label, label->text().isEmpty() ? QString("a symbol") : label->text());
    for (const auto* button : canvas.findChildren<QAbstractButton*>())
        if (!button->text().isEmpty()) add(button, button->text());
    for (const auto* widget : canvas.findChildren<QWidget*>()) {
        if (const auto* capsule = dynamic_cast<const CapsuleLabel*>(widget)) add(capsule, capsule->text());
        if (dynamic_cast<const StepHero*>(widget) != nullptr) add(widget, QString("the hero circle"));
    }
    return rects;
}

// The names of the texts under which the backdrop alone, drawn without the
// screen on it, paints anything but its plain colour.
std::vector<std::string> textsOverDots(AppCanvas& canvas, qreal ratio) {
    QImage backdrop(canvas.size() * ratio, QImage::Format_RGB32);
    backdrop.setDevicePixelRatio(ratio);
    canvas.render(&backdrop, {}, {}, QWidget::DrawWindowBackground);
    const QRgb plain = DesignTokens::canvas().resolve(canvas.palette()).rgb();
    std::vector<std::string> faults;
    int dotted = 0;
    for (int y = 0; y < backdrop.height(); ++y)
        for (int x = 0; x < backdrop.width(); ++x) dotted += backdrop.pixel(x, y) != plain ? 1 : 0;
    if (dotted == 0) faults.push_back("no dots at all");
    for (const auto& [name, rect] : textRects(canvas)) {
        const QRect pixels(rect.topLeft() * ratio, rect.size() * ratio);
        bool clear = true;
        for (int y = pixels.top(); y <= pixels.bottom() && clear; ++y)
            for (int x = pixels.left(); x <= pixels.right() && clear; ++x) clear = backdrop.pixel(x, y) == plain;
        if (!clear) faults.push_back(name + " at " + std::to_string(rect.x()) + "," + std::to_string(rect.y()));
    }
    return faults;
}

TEST_F(FirstRunViewsTest, NoDotOfTheBackdropStandsUnderAnOnboardingTextAtEitherScale) {
    auto* onboarding = new OnboardingView({*permissions, typing, [] {}, {}, {"en-US"}});
    AppCanvas canvas(onboarding, doubles.clock);
    for (auto* screen : QGuiApplication::screens()) {
        const qreal ratio = screen->devicePixelRatio();
        canvas.setScreen(screen);
        canvas.move(screen->geometry().topLeft());
        canvas.show();
        QApplication::setActiveWindow(&canvas);
        for (int step = 0; step < onboarding->pager().totalSteps(); ++step) {
            onboarding->pager().step.set(step);
            for (int i = 0; i < 3; ++i) QApplication::processEvents();
            for (const bool still : {false, true}) {
                canvas.setReduceMotion(still);
                ASSERT_EQ(canvas.pictureTime() != 0.0, !still) << "the field moves unless motion is reduced";
                EXPECT_EQ(textsOverDots(canvas, ratio), std::vector<std::string>{})
                    << "step " << step + 1 << " at " << ratio << "x" << (still ? ", still" : ", moving");
            }
        }
    }
}

TEST_F(FirstRunViewsTest, TheAccessScreenChecksOnceAndShowsTheDeniedCard) {
    platform::Signal<> active;
    int opened = 0;
    PermissionView view({*permissions, doubles.clock, active, [&] { ++opened; }, {}});
    view.show();
    EXPECT_TRUE(view.holdsPoll());
    view.openSettingsButton()->click();
    EXPECT_EQ(opened, 1);

    const auto probes = doubles.fullDiskAccess.callCount;
    view.grantedButton()->click();
    EXPECT_FALSE(view.grantedButton()->isEnabled());
    EXPECT_EQ(view.grantedButton()->text(), "Checking\u2026");
    doubles.clock.advance(400ms);
    EXPECT_EQ(doubles.fullDiskAccess.callCount, probes + 1);
    EXPECT_TRUE(view.grantedButton()->isEnabled());
    EXPECT_FALSE(view.deniedCard()->isHidden());
    view.grantedButton()->click();
    EXPECT_TRUE(view.deniedCard()->isHidden());
    view.hide();
    EXPECT_FALSE(view.holdsPoll());
}

TEST(StepHeroTest, PulsesAFewTimesThenRestsAndNeverWithMotionReduced) {
    const auto& step = onboardingSteps()[0];
    {
        StepHero hero(step);
        hero.show();
        EXPECT_TRUE(hero.isPulsing());
        hero.hide();
        EXPECT_FALSE(hero.isPulsing()) << "a hidden hero stops";
    }
    setReducedMotion(true);
    StepHero still(step);
    setReducedMotion(false);
    EXPECT_FALSE(still.isPulsing());
}

}  // namespace
}  // namespace zentrel::ui
