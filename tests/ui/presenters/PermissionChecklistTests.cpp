#include "ui/presenters/PermissionChecklist.hpp"

#include "doubles/PermissionsDoubles.hpp"

#include <gtest/gtest.h>

namespace zentrel::ui {
namespace {

using namespace std::chrono_literals;
using services::SystemPermission;
using Kind = TypingPermission::Kind;

class FakeTypingPermission final : public TypingPermission {
public:
    Kind typingKind = Kind::keyTap;
    bool isGranted = false;
    int setUps = 0;
    platform::Signal<> changed;

    [[nodiscard]] Kind kind() const override { return typingKind; }
    [[nodiscard]] bool granted() const override { return isGranted; }
    void setUp() override { ++setUps; }
    [[nodiscard]] platform::Subscription observe(std::function<void()> onChange) override {
        return changed.subscribe(std::move(onChange));
    }
};

TEST(PermissionChecklistRows, FullDiskAccessAloneWithoutTheOptionalRows) {
    for (bool granted : {false, true}) {
        const auto rows = permissionChecklistRows(false, {granted, false, false}, Kind::keyTap);
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0].permission, SystemPermission::fullDiskAccess);
        EXPECT_EQ(rows[0].title, "Full Disk Access");
        EXPECT_FALSE(rows[0].optional);
        EXPECT_FALSE(rows[0].dividerAfter);
        EXPECT_EQ(rows[0].hint.has_value(), !granted);
        if (!granted) {
            EXPECT_STREQ(rows[0].hint->button, "Quit & Reopen Zentrel");
        }
    }
}

TEST(PermissionChecklistRows, AllThreeWithTagsDividersAndHintsWhileNotGranted) {
    const auto none = permissionChecklistRows(true, {false, false, false}, Kind::keyTap);
    ASSERT_EQ(none.size(), 3u);
    std::vector<SystemPermission> order;
    for (const auto& row : none) order.push_back(row.permission);
    EXPECT_EQ(order, (std::vector<SystemPermission>(services::kAllSystemPermissions.begin(),
                                                    services::kAllSystemPermissions.end())));
    EXPECT_EQ((std::vector<bool>{none[0].optional, none[1].optional, none[2].optional}),
              (std::vector<bool>{false, true, true}));
    EXPECT_EQ((std::vector<bool>{none[0].dividerAfter, none[1].dividerAfter, none[2].dividerAfter}),
              (std::vector<bool>{true, true, false}));
    ASSERT_TRUE(none[1].hint.has_value());
    EXPECT_STREQ(none[1].hint->button, "Khởi động lại Zentrel");
    EXPECT_FALSE(none[2].hint.has_value()) << "notifications never need a restart";

    const auto typingOnly = permissionChecklistRows(true, {true, false, true}, Kind::keyTap);
    EXPECT_FALSE(typingOnly[0].hint.has_value());
    EXPECT_TRUE(typingOnly[1].hint.has_value()) << "the typing hint does not depend on Full Disk Access";

    const auto wayland = permissionChecklistRows(true, {true, false, true}, Kind::inputMethod);
    ASSERT_TRUE(wayland[1].hint.has_value());
    EXPECT_EQ(wayland[1].hint->button, nullptr) << "installing the input method needs no restart";

    for (const auto& row : permissionChecklistRows(true, {true, true, true}, Kind::keyTap)) {
        EXPECT_TRUE(row.granted);
        EXPECT_FALSE(row.hint.has_value());
    }
}

class PermissionChecklistTest : public ::testing::Test {
protected:
    PermissionChecklistTest() {
        permissions = doubles.makePermissions();
        doubles.settle();
        doubles.clock.advance(1s);  // the start-up probe's Accessibility wait
        doubles.settle();
    }
    testing::PermissionsDoubles doubles;
    std::unique_ptr<services::PermissionsManager> permissions;
    FakeTypingPermission typing;
};

TEST_F(PermissionChecklistTest, LeasesShareOneTimerThatStopsAtZeroAndStartsAgain) {
    const auto reads = [this] { return doubles.notificationAuthorization.statusReads; };
    const auto tick = [this] {
        doubles.clock.advance(2000ms);
        doubles.settle();
    };
    const auto timersBefore = doubles.clock.activeTimerCount();
    auto first = std::make_unique<PermissionPollLease>(*permissions);
    auto second = std::make_unique<PermissionPollLease>(*permissions);
    EXPECT_EQ(doubles.clock.activeTimerCount(), timersBefore + 1);
    auto before = reads();
    tick();
    EXPECT_EQ(reads(), before + 1);

    second.reset();
    EXPECT_TRUE(permissions->pollTimer.has_value());
    first.reset();
    EXPECT_EQ(permissions->pollingRequestCount, 0);
    EXPECT_FALSE(permissions->pollTimer.has_value());
    before = reads();
    tick();
    EXPECT_EQ(reads(), before);

    PermissionPollLease again(*permissions);
    tick();
    EXPECT_EQ(reads(), before + 1);
}

TEST_F(PermissionChecklistTest, RowsFollowThePublishedStateAndRunTheirSteps) {
    PermissionChecklist checklist(*permissions, typing, true);
    int changes = 0;
    auto sub = checklist.changed.subscribe([&] { ++changes; });
    typing.isGranted = true;
    typing.changed.emit();
    permissions->notifications.set(true);
    EXPECT_EQ(changes, 2);
    const auto rows = checklist.rows();
    EXPECT_TRUE(rows[1].granted);
    EXPECT_TRUE(rows[2].granted);

    checklist.activate(SystemPermission::accessibility);
    EXPECT_EQ(typing.setUps, 1);
    const auto probes = doubles.fullDiskAccess.callCount;
    checklist.activate(SystemPermission::fullDiskAccess);
    doubles.settle();
    EXPECT_EQ(doubles.fullDiskAccess.callCount, probes + 1) << "access to the home folder is checked again";
    EXPECT_TRUE(doubles.pages.opened.empty()) << "no settings page grants it";
}

TEST_F(PermissionChecklistTest, TheNotificationRowOffersEnableOnlyWhereTheDesktopsSettingsOpen) {
    // No notification server on the bus: the desktop answers "denied" and never asks.
    doubles.notificationAuthorization.status = platform::NotificationAuthorizationStatus::denied;
    permissions->refresh();
    doubles.settle();
    PermissionChecklist checklist(*permissions, typing, true);
    EXPECT_TRUE(checklist.rows()[2].offersEnable);
    checklist.activate(SystemPermission::notifications);
    EXPECT_EQ(doubles.pages.opened.size(), 1u);

    doubles.pages.hasPages = false;
    const auto rows = checklist.rows();
    EXPECT_FALSE(rows[2].granted);
    EXPECT_FALSE(rows[2].offersEnable);
    EXPECT_TRUE(rows[1].offersEnable) << "the typing row keeps its own step";
    checklist.activate(SystemPermission::notifications);
    EXPECT_EQ(doubles.pages.opened.size(), 1u) << "nothing is opened";

    permissions->notifications.set(true);
    EXPECT_TRUE(checklist.rows()[2].granted);
    EXPECT_FALSE(checklist.rows()[2].offersEnable);
}

}  // namespace
}  // namespace zentrel::ui
