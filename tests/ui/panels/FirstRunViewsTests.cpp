#include "ui/design/MotionPreference.hpp"
#include "ui/panels/OnboardingParts.hpp"
#include "ui/panels/OnboardingView.hpp"
#include "ui/panels/PermissionView.hpp"

#include "doubles/PermissionsDoubles.hpp"
#include "ui/StillTypingPermission.hpp"

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
