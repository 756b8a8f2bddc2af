// The Linux backends of the permission seams, on hosts the test builds: an
// unreachable session bus and an X display that does not exist.

#include "platform/accessibility/DesktopAccessibilityTrust.hpp"
#include "platform/desktop/DesktopNotificationAuthorization.hpp"
#include "platform/desktop/DesktopSettingsPageOpener.hpp"
#include "platform/desktop/SessionBus.hpp"
#include "platform/processes/DetachedProcess.hpp"
#include "platform/processes/ProcessAppInstanceLauncher.hpp"

#include "doubles/ManualExecutor.hpp"
#include "doubles/TempDir.hpp"
#include "doubles/WarningCapture.hpp"

#include <gtest/gtest.h>

#include <set>

namespace zentrel::platform {
namespace {

TEST(SessionBusTest, UnreachableBusAnswersNo) {
    testing::TempDir dir;
    EXPECT_FALSE(SessionBus("").canReach("org.freedesktop.Notifications"));
    EXPECT_FALSE(SessionBus("unix:path=" + (dir / "no-bus").string()).canReach("org.freedesktop.Notifications"));
    EXPECT_FALSE(SessionBus("not an address").canReach("org.a11y.Bus"));
}

TEST(DesktopAccessibilityTrustTest, NoDisplayWithTheTapExtensionsMeansNoTrust) {
    DesktopAccessibilityTrust nowhere(":9999");
    testing::WarningCapture warnings;
    EXPECT_FALSE(nowhere.isProcessTrusted(false));
    EXPECT_TRUE(warnings.lines().empty());
    EXPECT_FALSE(nowhere.isProcessTrusted(true));
    EXPECT_EQ(warnings.lines().size(), 1u) << "the prompt names what is missing";
}

TEST(DesktopNotificationAuthorizationTest, WithoutANotificationServiceItIsDenied) {
    SessionBus noBus("");
    testing::ManualExecutor executor;
    DesktopNotificationAuthorization authorization(noBus, executor);
    std::optional<NotificationAuthorizationStatus> status;
    std::optional<bool> granted;
    std::optional<std::string> error;
    authorization.currentStatus([&](NotificationAuthorizationStatus s) { status = s; });
    authorization.requestAuthorization({.alert = true, .sound = true}, [&](bool g, const std::optional<std::string>& e) {
        granted = g;
        error = e;
    });
    EXPECT_FALSE(status.has_value());  // asked on the executor, not in the call
    executor.drain();
    EXPECT_EQ(status, NotificationAuthorizationStatus::denied);
    EXPECT_EQ(granted, false);
    EXPECT_TRUE(error.has_value());
}

TEST(DesktopSettingsPageOpenerTest, OpensTheInstalledDesktopsPageOrNothing) {
    using Command = std::optional<std::vector<std::string>>;
    constexpr const char* kNotifications = "x-apple.systempreferences:com.apple.Notifications-Settings.extension";
    constexpr const char* kAccessibility = "x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility";
    constexpr const char* kFiles = "x-apple.systempreferences:com.apple.preference.security?Privacy_AllFiles";
    struct Case {
        std::set<std::string> installed;
        const char* url;
        Command command;
    };
    const Case cases[] = {
        {{"gnome-control-center", "systemsettings"}, kNotifications,
         std::vector<std::string>{"gnome-control-center", "notifications"}},
        {{"systemsettings"}, kNotifications, std::vector<std::string>{"systemsettings", "kcm_notifications"}},
        {{"systemsettings5"}, kAccessibility, std::vector<std::string>{"systemsettings5", "kcm_access"}},
        {{"gnome-control-center"}, kAccessibility, std::vector<std::string>{"gnome-control-center", "universal-access"}},
        {{}, kNotifications, std::nullopt},  // no settings program: nothing is offered
        {{"gnome-control-center"}, kFiles, std::nullopt},  // no page grants file access here
        {{"gnome-control-center"}, "x-apple.systempreferences:com.apple.Unknown", std::nullopt},
        {{}, "https://example.org/help", std::vector<std::string>{"xdg-open", "https://example.org/help"}},
    };
    for (const auto& c : cases) {
        const DesktopSettingsPageOpener opener([&](const std::string& program) { return c.installed.contains(program); });
        EXPECT_EQ(opener.commandFor(c.url), c.command) << c.url;
        EXPECT_EQ(opener.canOpen(c.url), c.command.has_value()) << c.url;
        // The other system's address never reaches the URL opener.
        if (c.command) {
            EXPECT_EQ(std::string(c.url).starts_with("x-apple"), c.command->front() != "xdg-open");
        }
    }
}

TEST(DetachedProcessTest, ReportsWhetherTheProgramStarted) {
    EXPECT_TRUE(launchDetached({"true"}));
    EXPECT_TRUE(launchDetached({"/bin/sh", "-c", "exit 3"}));  // started, whatever it returns later
    EXPECT_FALSE(launchDetached({"/nonexistent/zentrel-test-program"}));
    EXPECT_FALSE(launchDetached({"zentrel-test-program-not-in-path"}));
    EXPECT_FALSE(launchDetached({}));
}

TEST(ProcessAppInstanceLauncherTest, StartsOnTheExecutorAndAnswers) {
    testing::ManualExecutor executor;
    ProcessAppInstanceLauncher good({"true"}, executor);
    ProcessAppInstanceLauncher bad({"/nonexistent/zentrel"}, executor);
    std::vector<bool> answers;
    good.openNewInstance([&](bool started) { answers.push_back(started); });
    bad.openNewInstance([&](bool started) { answers.push_back(started); });
    EXPECT_TRUE(answers.empty());
    executor.drain();
    EXPECT_EQ(answers, (std::vector<bool>{true, false}));

    auto command = ProcessAppInstanceLauncher::commandOfThisProcess({"--flag"});
    ASSERT_EQ(command.size(), 2u);
    EXPECT_EQ(command[1], "--flag");
}

}  // namespace
}  // namespace zentrel::platform
