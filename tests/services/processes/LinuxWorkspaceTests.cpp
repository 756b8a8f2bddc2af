#include "services/processes/LinuxWorkspace.hpp"

#include "doubles/FakeProcTree.hpp"
#include "doubles/ManualExecutor.hpp"
#include "doubles/RecordingProcessSignaller.hpp"
#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

#include <csignal>
#include <map>
#include <optional>
#include <unistd.h>

namespace zentrel::services {
namespace {

using testing::FakeProcTree;

class LinuxWorkspaceTest : public ::testing::Test {
protected:
    LinuxWorkspaceTest() {
        temp.write("apps/org.example.Editor.desktop",
                   "[Desktop Entry]\nType=Application\nName=Editor\nIcon=accessories-text-editor\nExec=editor %F\n");
        temp.write("apps/browser.desktop", "[Desktop Entry]\nType=Application\nName=Browser\nExec=/opt/browser/launch.sh\n");
    }

    std::vector<RunningApplication> applications() { return workspace.runningApplications(); }

    testing::TempDir temp;
    FakeProcTree tree{temp / "proc"};
    testing::RecordingProcessSignaller signaller;
    LinuxWorkspace workspace{{.procRoot = tree.root(), .applicationFolders = {temp / "apps"}, .userId = ::getuid()},
                             signaller};
};

TEST_F(LinuxWorkspaceTest, ListsProcessesThatRunADesktopEntrysProgram) {
    tree.addProcess({.pid = 10, .name = "editor", .commandLine = FakeProcTree::commandLineOf({"/usr/bin/editor", "a.txt"})});
    tree.addProcess({.pid = 11, .name = "bash", .commandLine = FakeProcTree::commandLineOf({"bash"})});
    tree.addProcess({.pid = 12, .name = "kworker/0:1"});

    const auto listed = applications();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].processIdentifier, 10);
    EXPECT_EQ(listed[0].localizedName, "Editor");
    EXPECT_EQ(listed[0].bundleIdentifier, "org.example.Editor");
    EXPECT_EQ(listed[0].icon, "accessories-text-editor");
    EXPECT_FALSE(listed[0].isActive);
    EXPECT_FALSE(listed[0].isTerminated);
}

TEST_F(LinuxWorkspaceTest, ApplicationsOfAnotherSessionOfTheUserAreNotListed) {
    LinuxWorkspace session{{.procRoot = tree.root(), .applicationFolders = {temp / "apps"}, .userId = ::getuid(),
                            .display = ":1", .waylandDisplay = "wayland-1"},
                           signaller};
    const auto editor = [&](std::int32_t pid, std::vector<std::string> environment) {
        tree.addProcess({.pid = pid, .name = "editor", .commandLine = FakeProcTree::commandLineOf({"editor"}),
                         .environment = FakeProcTree::commandLineOf(environment)});
    };
    editor(40, {"DISPLAY=:1", "WAYLAND_DISPLAY=wayland-1"});
    editor(41, {"DISPLAY=:0"});
    editor(42, {"WAYLAND_DISPLAY=wayland-0"});
    editor(43, {"HOME=/h"});
    std::vector<std::int32_t> pids;
    for (const auto& listed : session.runningApplications()) pids.push_back(listed.processIdentifier);
    EXPECT_EQ(pids, (std::vector<std::int32_t>{40, 43})) << "one on no display is not of another session";
    EXPECT_EQ(applications().size(), 4u) << "with no display known, every one is listed";
}

TEST_F(LinuxWorkspaceTest, HelpersOfTheSameApplicationAreNotListedAgain) {
    tree.addProcess({.pid = 20, .name = "editor", .commandLine = FakeProcTree::commandLineOf({"editor"})});
    tree.addProcess({.pid = 21, .name = "editor", .parentPid = 20,
                     .commandLine = "/usr/bin/editor --type=renderer --lang=/x/y"});
    tree.addProcess({.pid = 22, .name = "editor", .parentPid = 21, .commandLine = FakeProcTree::commandLineOf({"editor"})});
    const auto listed = applications();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].processIdentifier, 20);
}

TEST_F(LinuxWorkspaceTest, RecognisesProcessesTheDesktopLaunchedFromAnEntry) {
    const std::string launched = "GIO_LAUNCHED_DESKTOP_FILE=" + (temp / "apps/browser.desktop").string();
    tree.addProcess({.pid = 30, .name = "browser-main", .commandLine = FakeProcTree::commandLineOf({"/opt/browser/bin"}),
                     .environment = FakeProcTree::commandLineOf({"HOME=/h", launched, "GIO_LAUNCHED_DESKTOP_FILE_PID=30"})});
    // A child inherits the environment but not the pid.
    tree.addProcess({.pid = 31, .name = "tab", .parentPid = 1, .commandLine = FakeProcTree::commandLineOf({"/opt/browser/tab"}),
                     .environment = FakeProcTree::commandLineOf({launched, "GIO_LAUNCHED_DESKTOP_FILE_PID=30"})});
    const auto listed = applications();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].processIdentifier, 30);
    EXPECT_EQ(listed[0].bundleIdentifier, "browser");
}

TEST_F(LinuxWorkspaceTest, AnEndedProcessIsTerminated) {
    tree.addProcess({.pid = 40, .name = "editor", .state = 'Z', .commandLine = FakeProcTree::commandLineOf({"editor"})});
    const auto listed = applications();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_TRUE(listed[0].isTerminated);
}

TEST_F(LinuxWorkspaceTest, NewDesktopEntriesAreSeenOnTheNextListing) {
    tree.addProcess({.pid = 50, .name = "viewer", .commandLine = FakeProcTree::commandLineOf({"viewer"})});
    EXPECT_TRUE(applications().empty());
    temp.write("apps/viewer.desktop", "[Desktop Entry]\nType=Application\nName=Viewer\nExec=viewer\n");
    std::filesystem::last_write_time(temp / "apps",
                                     std::filesystem::last_write_time(temp / "apps") + std::chrono::seconds(5));
    EXPECT_EQ(applications().size(), 1u);
}

TEST_F(LinuxWorkspaceTest, QuittingSendsTerminateOrKillThroughTheSignaller) {
    RunningApplication application;
    application.processIdentifier = 60;
    EXPECT_TRUE(workspace.terminate(application, false));
    EXPECT_TRUE(workspace.terminate(application, true));
    signaller.refusing.insert(60);
    EXPECT_FALSE(workspace.terminate(application, false));
    EXPECT_EQ(signaller.sent, (std::vector<std::pair<std::int32_t, int>>{{60, SIGTERM}, {60, SIGKILL}, {60, SIGTERM}}));
}

TEST_F(LinuxWorkspaceTest, APidThatPassedToANewProcessIsNeverSignalled) {
    tree.addProcess({.pid = 70, .name = "editor", .commandLine = FakeProcTree::commandLineOf({"editor"}), .startTicks = 100});
    const auto listed = applications();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].startTime, 100u);

    // The editor ended and the same program started again under its pid.
    tree.addProcess({.pid = 70, .name = "editor", .commandLine = FakeProcTree::commandLineOf({"editor"}), .startTicks = 400});
    EXPECT_FALSE(workspace.terminate(listed[0], false));
    tree.removeProcess(70);
    EXPECT_FALSE(workspace.terminate(listed[0], true));
    EXPECT_TRUE(signaller.sent.empty());

    tree.addProcess({.pid = 70, .name = "editor", .commandLine = FakeProcTree::commandLineOf({"editor"}), .startTicks = 100});
    EXPECT_TRUE(workspace.terminate(listed[0], false));
    EXPECT_EQ(signaller.sent, (std::vector<std::pair<std::int32_t, int>>{{70, SIGTERM}}));
}

TEST_F(LinuxWorkspaceTest, TheApplicationInFrontIsActiveAndItsHelperStandsForIt) {
    tree.addProcess({.pid = 20, .name = "editor", .commandLine = FakeProcTree::commandLineOf({"editor"})});
    tree.addProcess({.pid = 21, .name = "editor", .parentPid = 20, .commandLine = FakeProcTree::commandLineOf({"editor"})});
    tree.addProcess({.pid = 30, .name = "browser", .commandLine = FakeProcTree::commandLineOf({"/opt/browser/launch.sh"})});
    std::optional<std::int32_t> front;
    testing::ManualExecutor desktop;
    const ActiveProcessTracker tracker([&front] { return front; }, desktop);
    LinuxWorkspace tracked{{.procRoot = tree.root(), .applicationFolders = {temp / "apps"}, .userId = ::getuid(),
                            .activeProcess = &tracker},
                           signaller};
    const auto activeOf = [&] {
        desktop.runAll();  // the desktop answers the question the last listing asked
        std::map<std::int32_t, bool> active;
        for (const auto& application : tracked.runningApplications()) active[application.processIdentifier] = application.isActive;
        return active;
    };
    EXPECT_EQ(activeOf(), (std::map<std::int32_t, bool>{{20, false}, {30, false}}));
    front = 30;
    EXPECT_EQ(activeOf(), (std::map<std::int32_t, bool>{{20, false}, {30, true}}));
    front = 21;  // a window of the editor's helper process
    EXPECT_EQ(activeOf(), (std::map<std::int32_t, bool>{{20, true}, {30, false}}));
    front = 999;  // a window of no listed application
    EXPECT_EQ(activeOf(), (std::map<std::int32_t, bool>{{20, false}, {30, false}}));
}

TEST(ActiveProcessTrackerTest, AnswersTheLastProcessFoundAndAsksOneQuestionAtATime) {
    testing::ManualExecutor desktop;
    int questions = 0;
    const ActiveProcessTracker tracker([&]() -> std::optional<std::int32_t> { return ++questions * 10; }, desktop);
    EXPECT_TRUE(tracker.canTell());
    EXPECT_EQ(tracker.current(), std::nullopt);  // never waits for the desktop
    EXPECT_EQ(desktop.pendingCount(), 1u);       // the question asked at start is still open
    desktop.runAll();
    EXPECT_EQ(tracker.current(), 10);
    desktop.runAll();
    EXPECT_EQ(tracker.current(), 20);
    EXPECT_EQ(questions, 2);

    // Where the desktop cannot tell (Wayland), none is in front and nothing is asked.
    const ActiveProcessTracker wayland;
    EXPECT_FALSE(wayland.canTell());
    EXPECT_EQ(wayland.current(), std::nullopt);
}

}  // namespace
}  // namespace zentrel::services
