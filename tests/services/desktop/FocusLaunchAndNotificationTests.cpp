#include "services/desktop/FocusModeManager.hpp"
#include "services/desktop/LaunchTiming.hpp"
#include "services/desktop/NotificationManager.hpp"

#include "doubles/FakeClock.hpp"
#include "doubles/InMemoryDefaultsStore.hpp"
#include "doubles/ManualMainQueue.hpp"
#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace zentrel::services {
namespace {

using platform::FocusAuthorizationStatus;

class ScriptedFocus final : public platform::FocusStatusCenter {
public:
    [[nodiscard]] FocusAuthorizationStatus authorizationStatus() const override { return status; }
    void requestAuthorization(std::function<void(FocusAuthorizationStatus)> done) override { answer = std::move(done); }
    [[nodiscard]] std::optional<bool> isFocused() const override { return focused; }

    FocusAuthorizationStatus status = FocusAuthorizationStatus::notDetermined;
    std::function<void(FocusAuthorizationStatus)> answer;
    std::optional<bool> focused = true;
};

TEST(FocusModeManagerTest, WaitsForTheAnswerThenFollowsTheModeEveryFifteenSeconds) {
    ScriptedFocus focus;
    testing::FakeClock clock;
    testing::ManualMainQueue main;
    FocusModeManager manager(focus, clock, main);
    manager.startMonitoring();
    manager.startMonitoring();
    EXPECT_FALSE(manager.isFocusActive()) << "no answer yet";
    ASSERT_TRUE(focus.answer);
    focus.answer(FocusAuthorizationStatus::authorized);
    main.drain();
    EXPECT_TRUE(manager.isFocusActive());

    focus.focused = false;
    clock.advance(std::chrono::seconds(14));
    EXPECT_TRUE(manager.isFocusActive());
    clock.advance(std::chrono::seconds(1));
    EXPECT_FALSE(manager.isFocusActive());
    focus.focused = std::nullopt;
    focus.status = FocusAuthorizationStatus::denied;
    manager.authorizationStatus.set(FocusAuthorizationStatus::denied);
    clock.advance(std::chrono::seconds(15));
    EXPECT_FALSE(manager.isFocusActive());
}

std::string contentsOf(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

TEST(LaunchTimingTest, RecordsOnceWithAFloorOfOneMillisecond) {
    testing::TempDir dir;
    testing::InMemoryDefaultsStore defaults;
    testing::FakeClock clock;
    LaunchTiming quick(clock, defaults, dir.path());
    clock.advance(std::chrono::microseconds(400));
    quick.recordFirstInteractiveFrame();
    EXPECT_EQ(defaults.real("lastColdLaunchMs"), 1.0);
    EXPECT_EQ(contentsOf(dir / "lastColdLaunchMs.txt"), "1");

    LaunchTiming slow(clock, defaults, dir.path());
    clock.advance(std::chrono::microseconds(1'234'900));
    slow.recordFirstInteractiveFrame();
    EXPECT_NEAR(defaults.real("lastColdLaunchMs"), 1234.9, 1e-3);
    EXPECT_EQ(contentsOf(dir / "lastColdLaunchMs.txt"), "1234");
    clock.advance(std::chrono::seconds(5));
    slow.recordFirstInteractiveFrame();
    EXPECT_NEAR(defaults.real("lastColdLaunchMs"), 1234.9, 1e-3) << "only the first frame counts";
}

class Recording final : public platform::UserNotificationCenter {
public:
    void add(const platform::UserNotification& notification) override { shown.push_back(notification); }
    std::vector<platform::UserNotification> shown;
};

TEST(NotificationManagerTest, BodiesCarryTheFormattedSize) {
    testing::InMemoryDefaultsStore defaults;
    testing::FakeClock clock;
    Recording center;
    NotificationManager manager(defaults, center, clock);
    manager.notifyScanComplete(1'500'000);
    clock.advance(std::chrono::seconds(1));
    EXPECT_TRUE(center.shown.empty()) << "notifications are off unless turned on";

    defaults.setBool("notificationsEnabled", true);
    manager.notifyScanComplete(1'500'000);
    manager.notifyCleanComplete(2048);
    clock.advance(std::chrono::seconds(1));
    ASSERT_EQ(center.shown.size(), 2u);
    EXPECT_EQ(center.shown[0].body, "Found 1.5 MB you can free up");
    EXPECT_EQ(center.shown[1].body, "Freed 2 KB on your Mac");
}

}  // namespace
}  // namespace zentrel::services
