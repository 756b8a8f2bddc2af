#include "ui/presenters/FullDiskAccessScreen.hpp"

#include "doubles/PermissionsDoubles.hpp"

#include <gtest/gtest.h>

namespace zentrel::ui {
namespace {

using namespace std::chrono_literals;

class FullDiskAccessScreenTest : public ::testing::Test {
protected:
    FullDiskAccessScreenTest() {
        doubles.fullDiskAccess.granted = false;
        permissions = doubles.makePermissions();
        doubles.settle();
        doubles.clock.advance(1s);
        doubles.settle();
        screen = std::make_unique<FullDiskAccessScreen>(*permissions, doubles.clock, active);
    }
    void advance(platform::Duration by) {
        doubles.clock.advance(by);
        doubles.settle();
    }
    [[nodiscard]] int probes() const { return doubles.fullDiskAccess.callCount; }

    testing::PermissionsDoubles doubles;
    platform::Signal<> active;  // this screen's own view of activation
    std::unique_ptr<services::PermissionsManager> permissions;
    std::unique_ptr<FullDiskAccessScreen> screen;
};

TEST_F(FullDiskAccessScreenTest, ADoubleClickChecksOnceAfterTheWaitAndADeniedCheckShowsTheCard) {
    const auto before = probes();
    screen->checkGranted();
    screen->checkGranted();
    EXPECT_TRUE(screen->isChecking());
    advance(399ms);
    EXPECT_EQ(probes(), before);
    advance(1ms);
    EXPECT_EQ(probes(), before + 1);
    EXPECT_FALSE(screen->isChecking());
    EXPECT_TRUE(screen->showDenied());
    advance(2s);
    EXPECT_EQ(probes(), before + 1) << "one check per click";

    screen->checkGranted();
    EXPECT_FALSE(screen->showDenied()) << "the next click hides the card at once";
    doubles.fullDiskAccess.granted = true;
    advance(400ms);
    EXPECT_FALSE(screen->showDenied());
    EXPECT_TRUE(permissions->fullDiskAccess());
    EXPECT_FALSE(permissions->isCheckingFullDiskAccess());
}

TEST_F(FullDiskAccessScreenTest, ActivationChecksAtOnceUnlessACheckIsPendingAndNeverShowsTheCard) {
    screen->checkGranted();
    const auto before = probes();
    active.emit();
    EXPECT_EQ(probes(), before) << "ignored while checking";
    advance(400ms);
    ASSERT_TRUE(screen->showDenied());

    active.emit();
    EXPECT_EQ(probes(), before + 2);
    EXPECT_TRUE(screen->showDenied()) << "a failed probe on activation changes nothing";
    screen->checkGranted();
    advance(400ms);
    doubles.fullDiskAccess.granted = true;
    active.emit();
    EXPECT_TRUE(permissions->fullDiskAccess());
}

TEST_F(FullDiskAccessScreenTest, AnOlderProbeCannotTakeBackTheScreensResult) {
    permissions->refresh();  // its probe has not run yet
    screen->checkGranted();
    doubles.fullDiskAccess.granted = true;
    doubles.clock.advance(400ms);
    ASSERT_TRUE(permissions->fullDiskAccess());
    doubles.fullDiskAccess.granted = false;
    doubles.settle();  // the older run probes now and finds no access
    doubles.clock.advance(1s);
    doubles.settle();
    EXPECT_TRUE(permissions->fullDiskAccess());
}

}  // namespace
}  // namespace zentrel::ui
