#include "ui/presenters/BatteryDigestPresenter.hpp"
#include "ui/presenters/CalmDownPresenter.hpp"
#include "ui/presenters/MemorySectionPresenter.hpp"

#include "services/processes/LinuxWorkspace.hpp"
#include "services/processes/ProcfsSystemStatistics.hpp"

#include "doubles/FakeClock.hpp"
#include "doubles/FakeProcTree.hpp"
#include "doubles/InMemoryDefaultsStore.hpp"
#include "doubles/ManualExecutor.hpp"
#include "doubles/RecordingProcessSignaller.hpp"
#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

#include <csignal>
#include <unistd.h>

namespace zentrel::ui {
namespace {

using testing::FakeProcTree;
using Sent = std::vector<std::pair<std::int32_t, int>>;

constexpr std::int32_t kOwnPid = 500;

// Applications on a fake /proc tree, recognised by their desktop entries;
// quitting them reaches only the recording signaller.
class MenuBarMemoryTest : public ::testing::Test {
protected:
    MenuBarMemoryTest() {
        for (const char* program : {"editor", "player", "mail", "notes"})
            temp.write(std::string("apps/") + program + ".desktop",
                       std::string("[Desktop Entry]\nType=Application\nName=") + program + "\nExec=" + program + "\n");
        setMemory(100);
    }

    // 1000 kB of memory, `usedKilobytes` of it used by processes.
    void setMemory(std::int64_t usedKilobytes) {
        tree.writeMeminfo({{"MemTotal", 1000}, {"MemFree", 1000 - usedKilobytes}, {"Active(anon)", usedKilobytes},
                           {"Inactive(anon)", 0}, {"Active(file)", 0}, {"Inactive(file)", 0}});
    }
    void run(std::int32_t pid, const std::string& program, std::int64_t pages, std::uint64_t startTicks = 5000) {
        tree.addProcess({.pid = pid, .name = program, .residentPages = pages,
                         .commandLine = FakeProcTree::commandLineOf({program}), .startTicks = startTicks});
    }
    static std::vector<std::string> namesOf(const std::vector<services::BoostProcess>& rows) {
        std::vector<std::string> names;
        for (const auto& row : rows) names.push_back(row.name);
        return names;
    }

    testing::TempDir temp;
    FakeProcTree tree{temp / "proc"};
    services::ProcfsSystemStatistics statistics{
        {.procRoot = tree.root(), .pageSize = 1000, .clockTicksPerSecond = 100, .currentPid = kOwnPid}};
    testing::RecordingProcessSignaller signaller;
    // The application in front, as the desktop answers when the test lets it.
    std::optional<std::int32_t> front;
    testing::ManualExecutor desktop;
    services::ActiveProcessTracker activeProcess{[this] { return front; }, desktop};
    services::LinuxWorkspace workspace{{.procRoot = tree.root(), .applicationFolders = {temp / "apps"},
                                        .userId = ::getuid(), .activeProcess = &activeProcess},
                                       signaller};
    testing::FakeClock clock;
    services::ProcessSampler sampler{statistics, workspace, clock};
    testing::InMemoryDefaultsStore defaults;
    bool focus = false;
    MemorySectionPresenter memory{sampler, [this] { return focus; }, defaults};
};

TEST_F(MenuBarMemoryTest, HeavyAppsShowUnderPressureOrDuringAFocusThatCalmsApps) {
    run(10, "editor", 90);
    run(11, "player", 300);
    run(12, "mail", 200);
    run(13, "notes", 10);
    run(kOwnPid, "zentrel", 900);
    const std::vector<std::string> heaviest{"player", "mail", "editor"};
    struct Case {
        const char* name;
        std::int64_t used;
        bool focus;
        std::optional<bool> calmDuringFocus;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases{
        {"normal pressure", 100, false, true, {}},
        {"warning pressure", 800, false, std::nullopt, heaviest},
        {"critical pressure", 950, false, false, heaviest},
        {"a focus that calms apps", 100, true, true, heaviest},
        {"a focus without the setting", 100, true, std::nullopt, {}},
        {"a focus with the setting off", 100, true, false, {}},
    };
    for (const auto& c : cases) {
        setMemory(c.used);
        focus = c.focus;
        defaults.remove("focusAutoCalmEnabled");
        if (c.calmDuringFocus) defaults.setBool("focusAutoCalmEnabled", *c.calmDuringFocus);
        memory.open();
        std::vector<std::string> shown;
        for (const auto& row : memory.content().heavyApps) shown.push_back(row.name);
        EXPECT_EQ(shown, c.expected) << c.name;
    }
}

TEST_F(MenuBarMemoryTest, PressureLabelAndBarFollowTheSnapshot) {
    setMemory(800);
    memory.open();
    const auto content = memory.content();
    EXPECT_EQ(content.pressureLabel, "Warning");
    EXPECT_DOUBLE_EQ(content.usedFraction, 0.8);
    EXPECT_EQ(content.accessibleLabel, "800 KB of 1,000 KB RAM used");
    tree.writeMeminfo({});  // no total: an empty bar
    memory.open();
    EXPECT_EQ(memory.content().usedFraction, 0.0);
    EXPECT_EQ(memory.content().pressureLabel, "Normal");
}

TEST_F(MenuBarMemoryTest, QuittingARowSignalsItsAppDropsTheRowAndReadsMemoryAgain) {
    run(10, "editor", 90);
    run(11, "player", 300);
    setMemory(800);
    memory.open();
    ASSERT_EQ(memory.content().heavyApps.size(), 2u);

    setMemory(300);  // the machine breathes again before the row is quit
    memory.quit(11);
    EXPECT_EQ(signaller.sent, (Sent{{11, SIGTERM}}));
    EXPECT_EQ(namesOf(memory.topApps()), std::vector<std::string>{"editor"});
    // Filled but hidden, now that the pressure is normal.
    EXPECT_TRUE(memory.content().heavyApps.empty());
    EXPECT_EQ(memory.content().pressureLabel, "Normal");
}

TEST_F(MenuBarMemoryTest, CalmDownWithoutCandidatesIsANoticeThatQuitsNothing) {
    run(kOwnPid, "zentrel", 900);
    const auto question = calmDownQuestion(sampler);
    EXPECT_TRUE(question.isNotice());
    EXPECT_EQ(question.title, "No hot background apps");
    EXPECT_TRUE(question.confirmLabel.empty());
    EXPECT_EQ(calmDown(sampler, question), 0);
    EXPECT_TRUE(signaller.sent.empty());
}

TEST_F(MenuBarMemoryTest, CalmDownQuitsExactlyTheConfirmedAppsWhateverRanksAfterTheQuestion) {
    run(10, "editor", 900);
    run(11, "player", 800);
    run(12, "mail", 700);
    run(13, "notes", 100);
    const auto question = calmDownQuestion(sampler);
    EXPECT_EQ(namesOf(question.candidates), (std::vector<std::string>{"editor", "player", "mail"}));
    EXPECT_EQ(question.message,
              "Zentrel will quit up to three heavy background apps: editor, player, mail. Save your work in these "
              "apps first.");
    EXPECT_EQ(question.confirmLabel, "Calm Down");

    // While the question stood open: notes became the heaviest, the player
    // ended and its pid went to a new player, and the mail client ended.
    run(13, "notes", 5000);
    run(11, "player", 800, 9000);
    tree.removeProcess(12);

    EXPECT_EQ(calmDown(sampler, question), 1);
    EXPECT_EQ(signaller.sent, (Sent{{10, SIGTERM}}));
}

TEST_F(MenuBarMemoryTest, TheAppInFrontIsNeverOfferedForQuitting) {
    run(10, "editor", 900);
    run(11, "player", 800);
    run(12, "mail", 700);
    run(13, "notes", 100);
    front = 10;
    desktop.runAll();
    setMemory(950);
    memory.open();
    std::vector<std::string> shown;
    for (const auto& row : memory.content().heavyApps) shown.push_back(row.name);
    EXPECT_EQ(shown, (std::vector<std::string>{"player", "mail", "notes"}));
    EXPECT_EQ(namesOf(calmDownQuestion(sampler).candidates), (std::vector<std::string>{"player", "mail", "notes"}));
}

TEST(BatteryDigestTest, WattsOnlyAboveZeroAndTheThreeWorstOffenders) {
    model::DailyEnergyDigest today;
    EXPECT_EQ(batteryDigest(std::nullopt, today).wattsText, std::nullopt);
    EXPECT_EQ(batteryDigest(model::SystemPowerReading::zero(), today).wattsText, std::nullopt);
    model::SystemPowerReading reading;
    reading.packageWatts = 12.34;
    EXPECT_EQ(batteryDigest(reading, today).wattsText, "12.3 W");

    EXPECT_EQ(batteryDigest(std::nullopt, today).collectingText, "Collecting energy data\u2026");
    for (const char* name : {"Editor", "Player", "Mail", "Notes"})
        today.topOffenders.push_back({std::nullopt, name, 1.0});
    const auto content = batteryDigest(std::nullopt, today);
    EXPECT_EQ(content.offenders, (std::vector<std::string>{"Editor", "Player", "Mail"}));
    EXPECT_TRUE(content.collectingText.empty());
}

}  // namespace
}  // namespace zentrel::ui
