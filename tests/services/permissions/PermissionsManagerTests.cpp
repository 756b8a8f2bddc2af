#include "services/permissions/PermissionsManager.hpp"

#include "doubles/PermissionsDoubles.hpp"
#include "doubles/WarningCapture.hpp"

#include <gtest/gtest.h>

namespace zentrel::services {
namespace {

using namespace std::chrono_literals;
using platform::NotificationAuthorizationStatus;

class PermissionsManagerTest : public ::testing::Test, protected testing::PermissionsDoubles {
protected:
    void make() { manager = makePermissions([this] { ++terminations; }); }
    // Timers fire only when the test advances the clock.
    void advance(platform::Duration by) {
        clock.advance(by);
        settle();
    }
    // Starts the manager and lets its start-up probe finish.
    void makeSettled() {
        make();
        settle();
        advance(150ms);
    }
    [[nodiscard]] std::size_t accessibilityChecks() const { return trust.promptsAsked.size(); }

    int terminations = 0;
    std::unique_ptr<PermissionsManager> manager;
};

TEST_F(PermissionsManagerTest, StartsWithTheInitialValuesBeforeAnyProbeLands) {
    make();
    EXPECT_FALSE(manager->fullDiskAccess());
    EXPECT_TRUE(manager->isCheckingFullDiskAccess());
    EXPECT_FALSE(manager->accessibility());
    EXPECT_FALSE(manager->notifications());
    EXPECT_TRUE(manager->notificationsUndetermined());
    EXPECT_EQ(manager->refreshGeneration, 1u);
    EXPECT_EQ(manager->pollingRequestCount, 0);
    EXPECT_FALSE(manager->pollTimer.has_value());
}

TEST_F(PermissionsManagerTest, StartUpProbeWaits150msBetweenFullDiskAccessAndAccessibility) {
    fullDiskAccess.granted = true;
    trust.trusted = true;
    make();
    settle();
    EXPECT_EQ(fullDiskAccess.callCount, 1);
    EXPECT_EQ(accessibilityChecks(), 0u);
    // Results land together at the end of the run.
    EXPECT_TRUE(manager->isCheckingFullDiskAccess());

    advance(149ms);
    EXPECT_EQ(accessibilityChecks(), 0u);
    advance(1ms);
    EXPECT_EQ(trust.promptsAsked, std::vector<bool>{false});
    EXPECT_TRUE(manager->fullDiskAccess());
    EXPECT_FALSE(manager->isCheckingFullDiskAccess());
    EXPECT_TRUE(manager->accessibility());
}

TEST_F(PermissionsManagerTest, ActivationBeforeTheStartUpProbeReturnsDropsTheStartUpResult) {
    fullDiskAccess.granted = true;
    make();
    std::vector<bool> checking;
    auto sub = manager->isCheckingFullDiskAccess.subscribe([&](const bool& v) { checking.push_back(v); });

    didBecomeActive.emit();
    advance(250ms);  // the activation raises the generation while the start-up run waits
    EXPECT_EQ(manager->refreshGeneration, 2u);
    EXPECT_EQ(fullDiskAccess.callCount, 1);

    advance(150ms);  // the start-up run ends and is dropped; the activation's run starts
    EXPECT_EQ(fullDiskAccess.callCount, 2);
    EXPECT_TRUE(manager->isCheckingFullDiskAccess());
    EXPECT_FALSE(manager->fullDiskAccess());

    advance(150ms);
    EXPECT_TRUE(manager->fullDiskAccess());
    EXPECT_FALSE(manager->isCheckingFullDiskAccess());
    EXPECT_EQ(checking, (std::vector<bool>{true, false}));
}

TEST_F(PermissionsManagerTest, ProbeRunsNeverOverlap) {
    make();
    manager->refresh();
    settle();
    // The second run waits for the first, which waits on its 150 ms.
    EXPECT_EQ(fullDiskAccess.callCount, 1);
    advance(150ms);
    EXPECT_EQ(fullDiskAccess.callCount, 2);
    EXPECT_EQ(accessibilityChecks(), 1u);
    advance(150ms);
    EXPECT_EQ(accessibilityChecks(), 2u);
    EXPECT_FALSE(manager->isCheckingFullDiskAccess());
}

TEST_F(PermissionsManagerTest, AccessibilityNotificationProbesOnlyAccessibilityAfter300ms) {
    fullDiskAccess.granted = true;
    makeSettled();
    fullDiskAccess.granted = false;
    trust.trusted = true;
    const auto fullDiskCalls = fullDiskAccess.callCount;
    int fullDiskAnnouncements = 0;
    auto sub = manager->fullDiskAccess.subscribe([&](const bool&) { ++fullDiskAnnouncements; });

    accessibilityChanged.emit();
    settle();
    advance(299ms);
    EXPECT_FALSE(manager->accessibility());
    advance(1ms);
    EXPECT_TRUE(manager->accessibility());
    EXPECT_EQ(fullDiskAccess.callCount, fullDiskCalls);
    EXPECT_TRUE(manager->fullDiskAccess());
    EXPECT_FALSE(manager->isCheckingFullDiskAccess());
    EXPECT_EQ(fullDiskAnnouncements, 1);  // only the subscription's first value
}

TEST_F(PermissionsManagerTest, AccessibilityRequestPromptsOnlyWhenNotTrusted) {
    struct Case {
        bool trusted;
        std::vector<bool> prompts;
    };
    for (const auto& c : {Case{false, {false, true}}, Case{true, {false}}}) {
        SCOPED_TRACE(c.trusted);
        makeSettled();
        trust.trusted = c.trusted;
        trust.promptsAsked.clear();
        pages.opened.clear();
        const auto generation = manager->refreshGeneration;

        manager->request(SystemPermission::accessibility);
        EXPECT_EQ(trust.promptsAsked, c.prompts);
        EXPECT_EQ(pages.opened, std::vector<std::string>{std::string(settingsURL(SystemPermission::accessibility))});
        EXPECT_EQ(manager->refreshGeneration, generation + 1);
        advance(300ms);
        EXPECT_EQ(trust.promptsAsked.size(), c.prompts.size() + 1);
        EXPECT_EQ(manager->accessibility(), c.trusted);
    }
}

TEST_F(PermissionsManagerTest, FullDiskAccessRequestOpensItsSettingsPage) {
    makeSettled();
    manager->request(SystemPermission::fullDiskAccess);
    EXPECT_EQ(pages.opened,
              std::vector<std::string>{"x-apple.systempreferences:com.apple.preference.security?Privacy_AllFiles"});
}

TEST_F(PermissionsManagerTest, NotificationsAreAskedForOnceThenTheSettingsPageOpens) {
    makeSettled();
    ASSERT_TRUE(manager->notificationsUndetermined());
    const auto generation = manager->refreshGeneration;

    manager->request(SystemPermission::notifications);
    ASSERT_EQ(notificationAuthorization.requests.size(), 1u);
    EXPECT_TRUE(notificationAuthorization.requests[0].alert);
    EXPECT_TRUE(notificationAuthorization.requests[0].sound);
    settle();  // the answer refreshes everything
    EXPECT_EQ(manager->refreshGeneration, generation + 1);
    EXPECT_TRUE(manager->notifications());
    EXPECT_FALSE(manager->notificationsUndetermined());
    EXPECT_TRUE(pages.opened.empty());

    manager->request(SystemPermission::notifications);
    EXPECT_EQ(notificationAuthorization.requests.size(), 1u);
    EXPECT_EQ(pages.opened,
              std::vector<std::string>{"x-apple.systempreferences:com.apple.Notifications-Settings.extension"});
}

TEST_F(PermissionsManagerTest, NotificationStatusMapsToTheTwoFlags) {
    struct Case {
        NotificationAuthorizationStatus status;
        bool granted;
        bool undetermined;
    };
    const Case cases[] = {
        {NotificationAuthorizationStatus::notDetermined, false, true},
        {NotificationAuthorizationStatus::denied, false, false},
        {NotificationAuthorizationStatus::authorized, true, false},
        {NotificationAuthorizationStatus::provisional, true, false},
        {NotificationAuthorizationStatus::ephemeral, false, false},
    };
    makeSettled();
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.status));
        notificationAuthorization.status = c.status;
        manager->refresh();
        settle();
        EXPECT_EQ(manager->notifications(), c.granted);
        EXPECT_EQ(manager->isGranted(SystemPermission::notifications), c.granted);
        EXPECT_EQ(manager->notificationsUndetermined(), c.undetermined);
    }
}

TEST_F(PermissionsManagerTest, NotificationFlagsAnnounceEveryAssignment) {
    notificationAuthorization.status = NotificationAuthorizationStatus::denied;
    makeSettled();
    std::vector<bool> heard;
    auto sub = manager->notifications.subscribe([&](const bool& v) { heard.push_back(v); });
    manager->refresh();
    settle();
    EXPECT_EQ(heard, (std::vector<bool>{false, false}));
}

TEST_F(PermissionsManagerTest, SharedPollRunsWhileAnyScreenHoldsIt) {
    makeSettled();
    const auto polls = [&] { return notificationAuthorization.statusReads; };
    const auto timersBefore = clock.activeTimerCount();

    manager->beginPermissionPolling();
    manager->beginPermissionPolling();
    EXPECT_EQ(manager->pollingRequestCount, 2);
    EXPECT_EQ(clock.activeTimerCount(), timersBefore + 1);  // one timer for both screens

    auto before = polls();
    advance(2000ms);
    EXPECT_EQ(polls(), before + 1);

    manager->endPermissionPolling();
    EXPECT_EQ(manager->pollingRequestCount, 1);
    EXPECT_TRUE(manager->pollTimer.has_value());
    before = polls();
    advance(2000ms);
    EXPECT_EQ(polls(), before + 1);

    manager->endPermissionPolling();
    EXPECT_EQ(manager->pollingRequestCount, 0);
    EXPECT_FALSE(manager->pollTimer.has_value());
    advance(1000ms);  // let the last tick's probe finish
    before = polls();
    advance(10s);
    EXPECT_EQ(polls(), before);

    manager->endPermissionPolling();
    EXPECT_EQ(manager->pollingRequestCount, 0);
}

TEST_F(PermissionsManagerTest, PollTickRefreshesOnTheMainThread) {
    fullDiskAccess.granted = false;
    makeSettled();
    fullDiskAccess.granted = true;
    const auto generation = manager->refreshGeneration;
    manager->pollTick();
    EXPECT_EQ(manager->refreshGeneration, generation);  // nothing happens inside the call
    settle();
    advance(150ms);
    EXPECT_EQ(manager->refreshGeneration, generation + 1);
    EXPECT_TRUE(manager->fullDiskAccess());
}

TEST_F(PermissionsManagerTest, RequiredPermissionsAreFullDiskAccessAlone) {
    struct Case {
        bool fullDisk, accessibility, notifications, required;
    };
    const Case cases[] = {
        {true, false, false, true}, {false, true, true, false}, {true, true, true, true}, {false, false, false, false}};
    make();
    for (const auto& c : cases) {
        manager->fullDiskAccess.set(c.fullDisk);
        manager->accessibility.set(c.accessibility);
        manager->notifications.set(c.notifications);
        EXPECT_EQ(manager->requiredPermissionsGranted(), c.required);
        EXPECT_EQ(manager->isGranted(SystemPermission::fullDiskAccess), c.fullDisk);
        EXPECT_EQ(manager->isGranted(SystemPermission::accessibility), c.accessibility);
    }
}

TEST_F(PermissionsManagerTest, RefreshAccessibilityChecksAtOnceWithoutPrompt) {
    makeSettled();
    trust.trusted = true;
    trust.promptsAsked.clear();
    EXPECT_TRUE(manager->refreshAccessibility());
    EXPECT_TRUE(manager->accessibility());
    EXPECT_EQ(trust.promptsAsked, std::vector<bool>{false});
}

TEST_F(PermissionsManagerTest, ProbeFullDiskAccessAsksTheProbeAndChangesNothing) {
    makeSettled();
    fullDiskAccess.granted = true;
    EXPECT_TRUE(manager->probeFullDiskAccess());
    EXPECT_FALSE(manager->fullDiskAccess());
}

TEST_F(PermissionsManagerTest, RelaunchQuitsOnlyAfterTheNewInstanceStarted) {
    makeSettled();
    manager->relaunch();
    EXPECT_EQ(terminations, 0);  // quitting happens on the main queue
    settle();
    EXPECT_EQ(terminations, 1);

    launcher.starts = false;
    testing::WarningCapture warnings;
    manager->relaunch();
    settle();
    EXPECT_EQ(terminations, 1);
    ASSERT_EQ(warnings.lines().size(), 1u);
    EXPECT_NE(warnings.lines()[0].find("Could not start a new instance"), std::string::npos);
}

TEST_F(PermissionsManagerTest, AccessibilityAloneWithoutDelayIsCheckedAtOnce) {
    makeSettled();
    trust.trusted = true;
    manager->probeAndApply(false, true, platform::Duration::zero(), ++manager->refreshGeneration);
    settle();
    EXPECT_TRUE(manager->accessibility());
}

TEST(LazySharedTest, UseBeforeConfigurationIsAClearError) {
    LazyShared<int> slot("Counter");
    EXPECT_FALSE(slot.exists());
    EXPECT_THROW((void)slot.get(), std::logic_error);
    slot.configure([] { return std::make_unique<int>(7); });
    EXPECT_EQ(slot.get(), 7);
    EXPECT_TRUE(slot.exists());
    slot.configure([] { return std::make_unique<int>(8); });
    EXPECT_EQ(slot.get(), 7);  // made once
}

TEST_F(PermissionsManagerTest, AnswersArrivingAfterTheManagerIsGoneAreDropped) {
    make();
    manager->relaunch();
    manager.reset();
    settle();
    EXPECT_EQ(terminations, 0);
}

}  // namespace
}  // namespace zentrel::services
