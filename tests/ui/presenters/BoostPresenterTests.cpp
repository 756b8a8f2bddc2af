#include "ui/presenters/BoostPresenter.hpp"

#include "platform/text/ByteCountFormatter.hpp"
#include "platform/text/DesktopTexts.hpp"
#include "services/processes/LinuxWorkspace.hpp"
#include "services/processes/ProcfsSystemStatistics.hpp"

#include "doubles/FakeClock.hpp"
#include "doubles/FakeProcTree.hpp"
#include "doubles/RecordingProcessSignaller.hpp"
#include "doubles/ScopedDesktopTexts.hpp"
#include "doubles/TempDir.hpp"

#include "doubles/ManualExecutor.hpp"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include <csignal>
#include <unistd.h>

namespace zentrel::ui {
namespace {

using namespace std::chrono_literals;
using services::BoostProcess;
using services::MemorySnapshot;
using testing::FakeProcTree;
using viewmodels::BoostViewModel;
using Form = BoostActionArea::Form;

constexpr std::int32_t kOwnPid = 900;
constexpr std::int64_t kPageSize = 1000;

std::string memory(std::int64_t bytes) { return platform::formatByteCount(bytes, platform::ByteCountStyle::memory); }

// A Boost page's view model over a fake /proc tree and the real workspace of
// this desktop, whose quit requests go to a recording signaller.
class BoostPresenterTest : public ::testing::Test {
protected:
    BoostPresenterTest() {
        tree.writeMeminfo({{"MemTotal", 1'000'000}, {"MemFree", 500'000}, {"Active(anon)", 100'000},
                           {"Inactive(anon)", 0}, {"Active(file)", 0}, {"Inactive(file)", 0}});
        tree.writeStat({0, 0, 0, 0}, 4);
        for (const char* program : {"editor", "player", "intruder"}) {
            std::string name = program;
            name[0] = static_cast<char>(name[0] - 32);
            temp.write(std::string("apps/") + program + ".desktop",
                       "[Desktop Entry]\nType=Application\nName=" + name + "\nIcon=" + program + "-icon\nExec=" +
                           program + "\n");
        }
    }

    void run(std::int32_t pid, const std::string& program, std::int64_t bytes, std::uint64_t started = 5000) {
        tree.addProcess({.pid = pid, .name = program, .residentPages = bytes / kPageSize,
                         .commandLine = FakeProcTree::commandLineOf({"/usr/bin/" + program}), .startTicks = started});
    }

    testing::TempDir temp;
    FakeProcTree tree{temp / "proc"};
    services::ProcfsSystemStatistics statistics{
        {.procRoot = tree.root(), .pageSize = kPageSize, .clockTicksPerSecond = 100, .currentPid = kOwnPid}};
    testing::RecordingProcessSignaller signaller;
    services::LinuxWorkspace workspace{
        {.procRoot = tree.root(), .applicationFolders = {temp / "apps"}, .userId = ::getuid()}, signaller};
    testing::FakeClock clock;
    services::ProcessSampler sampler{statistics, workspace, clock};
    BoostViewModel vm{sampler, clock, clock};
};

TEST_F(BoostPresenterTest, TheAppInFrontShowsActiveWhereTheDesktopTellsIt) {
    run(10, "editor", 3'000'000);
    run(11, "player", 2'000'000);
    std::optional<std::int32_t> front = 11;
    testing::ManualExecutor desktop;
    const services::ActiveProcessTracker tracker([&front] { return front; }, desktop);
    desktop.runAll();
    services::LinuxWorkspace tracked{{.procRoot = tree.root(), .applicationFolders = {temp / "apps"},
                                      .userId = ::getuid(), .activeProcess = &tracker},
                                     signaller};
    services::ProcessSampler trackedSampler{statistics, tracked, clock};
    BoostViewModel trackedVm{trackedSampler, clock, clock};
    trackedVm.refresh();
    std::map<std::string, std::string> kinds;
    for (const auto& row : processRows(trackedVm)) kinds[row.name] = row.kind.text;
    const auto inactive = processKind(BoostProcess{.isApp = true}).text;
    EXPECT_EQ(kinds, (std::map<std::string, std::string>{{"Editor", inactive}, {"Player", "Active"}}));
    EXPECT_EQ(activeApplicationNote(trackedVm), std::nullopt);
    trackedVm.selectHeavyApps(1);
    EXPECT_EQ(trackedVm.selectedPIDs(), (std::set<std::int32_t>{10}));

    // Where the desktop cannot tell (Wayland), the page says so and none is active.
    const services::ActiveProcessTracker wayland;
    services::LinuxWorkspace untracked{{.procRoot = tree.root(), .applicationFolders = {temp / "apps"},
                                        .userId = ::getuid(), .activeProcess = &wayland},
                                       signaller};
    services::ProcessSampler untrackedSampler{statistics, untracked, clock};
    BoostViewModel untrackedVm{untrackedSampler, clock, clock};
    untrackedVm.refresh();
    for (const auto& row : processRows(untrackedVm)) EXPECT_EQ(row.kind.text, inactive) << row.name;
    ASSERT_TRUE(activeApplicationNote(untrackedVm));
    EXPECT_NE(activeApplicationNote(untrackedVm)->find("Wayland"), std::string::npos);
}

TEST(BoostGauges, MemoryTileFollowsUsedShareAndPressure) {
    const MemorySnapshot none{};
    EXPECT_EQ(memoryGauge(none).percent, 0);
    EXPECT_EQ(memoryGauge(none).pill, (PillContent{"Normal", PillTone::safe}));

    struct Case {
        std::int64_t used, compressed, percent;
        PillContent pill;
    };
    for (const auto& c : std::vector<Case>{{500, 0, 50, {"Normal", PillTone::safe}},
                                           {725, 0, 73, {"Warning", PillTone::review}},
                                           {100, 260, 10, {"Critical", PillTone::danger}},
                                           {1500, 0, 100, {"Critical", PillTone::danger}}}) {
        const MemorySnapshot snapshot{.total = 1000, .used = c.used, .compressed = c.compressed};
        const auto tile = memoryGauge(snapshot);
        EXPECT_EQ(tile.percent, c.percent) << c.used;
        EXPECT_EQ(tile.pill, c.pill) << c.used;
    }
    const auto tile = memoryGauge({.total = 8'589'934'592, .used = 4'294'967'296});
    EXPECT_EQ(tile.label, "Memory used");
    EXPECT_EQ(tile.caption, "4 GB / 8 GB");
    EXPECT_EQ(tile.accessibilityLabel, "Memory used: 50 percent. 4 GB / 8 GB");
}

TEST(BoostGauges, CpuTileRoundsAndHasNoPill) {
    const auto tile = cpuGauge(0.456);
    EXPECT_EQ(tile.label, "CPU load");
    EXPECT_EQ(tile.percent, 46);
    EXPECT_DOUBLE_EQ(tile.fraction, 0.456);
    EXPECT_EQ(tile.caption, "46% across all cores");
    EXPECT_EQ(tile.accessibilityLabel, "CPU load: 46 percent. 46% across all cores");
    EXPECT_FALSE(tile.pill.has_value());
}

// Figures of ten and more in a Vietnamese window, as the Boost page gets them.
TEST(BoostGauges, VietnameseFiguresUseItsOwnSeparators) {
    const testing::ScopedDesktopTexts vietnamese("vi");
    const auto tile = memoryGauge({.total = 25'275'865'006, .used = 2'190'433'321});
    EXPECT_EQ(tile.caption, "2,04 GB / 23,54 GB");
    EXPECT_EQ(cpuGauge(0.456).caption, "46% tr\u00ean m\u1ecdi nh\u00e2n");
    const auto columns = memoryBreakdown({.wired = 1'288'490'189'000, .compressed = 0, .app = 18'454'937, .cached = 1000});
    EXPECT_EQ(columns.at(0).value, "17,6 MB");
    EXPECT_EQ(columns.at(1).value, "1,17 TB");
    EXPECT_EQ(columns.at(2).value, "0 KB");
    EXPECT_EQ(columns.at(3).value, "1.000 byte");
}

TEST(BoostGauges, BreakdownColumnsInOrderWithTheirColours) {
    const auto columns = memoryBreakdown({.wired = 2048, .compressed = 0, .app = 1024, .cached = 3 << 20});
    EXPECT_EQ(columns, (std::vector<BreakdownColumn>{{"App", memory(1024), FigureColor::accent},
                                                     {"Wired", memory(2048), FigureColor::review},
                                                     {"Compressed", memory(0), FigureColor::ai},
                                                     {"Cached", memory(3 << 20), FigureColor::health}}));
}

TEST(BoostTexts, TextsAboutAnotherDesktopReadAsThisOnes) {
    platform::Localization table;
    platform::useDesktopTexts(table, platform::HostPlatform::linuxDesktop, [](const char*) { return std::nullopt; });
    for (const char* key : {BoostTexts::cachedNote, BoostTexts::purgeNote, BoostTexts::quitMessage, BoostTexts::rowHint}) {
        const auto shown = table.lookup(key);
        EXPECT_NE(shown, key);
        EXPECT_EQ(shown.find("macOS"), std::string::npos) << shown;
    }
}

TEST(BoostRows, KindPillFollowsTheFirstRuleThatHolds) {
    struct Case {
        bool isApp, isActive, isCurrentApp;
        PillContent pill;
    };
    for (const auto& c : std::vector<Case>{{true, true, true, {"This app", PillTone::neutral}},
                                           {true, true, false, {"Active", PillTone::review}},
                                           {true, false, false, {"App", PillTone::safe}},
                                           {false, true, false, {"Background", PillTone::neutral}}}) {
        const BoostProcess process{.isApp = c.isApp, .isActive = c.isActive, .isCurrentApp = c.isCurrentApp};
        EXPECT_EQ(processKind(process), c.pill) << c.pill.text;
    }
}

TEST_F(BoostPresenterTest, RowsLockWhatCannotBePickedAndDivideAllButTheLast) {
    EXPECT_EQ(processListState(vm), ProcessListState::waiting);
    vm.refresh();
    EXPECT_EQ(processListState(vm), ProcessListState::nothingRunning);
    run(10, "editor", 3'000'000);
    run(kOwnPid, "editor", 2'000'000);
    run(20, "indexer", 1'000'000);
    vm.showBackground.set(true);
    vm.refresh();
    EXPECT_EQ(processListState(vm), ProcessListState::rows);

    const auto rows = processRows(vm);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].name, "Editor");
    EXPECT_TRUE(rows[0].selectable);
    EXPECT_EQ(rows[0].opacity, 1.0);
    EXPECT_EQ(rows[0].icon, "editor-icon");
    EXPECT_EQ(rows[0].detail, memory(3'000'000) + " RAM · 0% CPU");
    EXPECT_EQ(rows[0].memory, memory(3'000'000));
    EXPECT_EQ(rows[1].kind.text, "This app");
    EXPECT_FALSE(rows[1].selectable);
    EXPECT_EQ(rows[1].opacity, 0.6);
    EXPECT_EQ(rows[0].kind.text, "App");
    EXPECT_EQ(rows[2].kind.text, "Background");
    EXPECT_FALSE(rows[2].icon.has_value());
    EXPECT_EQ(rows[2].fallbackSymbol, "gearshape.fill");
    EXPECT_EQ(rows[0].fallbackSymbol, "app.fill");
    EXPECT_TRUE(rows[0].dividerBelow);
    EXPECT_TRUE(rows[1].dividerBelow);
    EXPECT_FALSE(rows[2].dividerBelow);
}

TEST_F(BoostPresenterTest, CpuDetailIsAWholePercentOfTheWholeMachine) {
    run(10, "editor", 1'000'000);
    vm.refresh();
    clock.advance(1s);
    // Two of the four processors busy for the whole second: half the machine.
    tree.addProcess({.pid = 10, .name = "editor", .userTicks = 200, .residentPages = 1000,
                     .commandLine = FakeProcTree::commandLineOf({"editor"})});
    tree.writeStat({100, 0, 100, 200}, 4);
    vm.refresh();
    EXPECT_EQ(processRows(vm).at(0).detail, memory(1'000'000) + " RAM · 50% CPU");
    EXPECT_EQ(cpuGauge(vm.systemCPU()).percent, 50);
}

TEST_F(BoostPresenterTest, SwitchesRefreshOnceOnAChangeOnly) {
    int refreshes = 0;
    auto watch = vm.processes.observe([&](const auto&) { ++refreshes; });
    changeSortMode(vm, BoostViewModel::SortMode::memory);
    changeShowBackground(vm, false);
    EXPECT_EQ(refreshes, 0);
    changeSortMode(vm, BoostViewModel::SortMode::cpu);
    changeShowBackground(vm, true);
    EXPECT_EQ(refreshes, 2);
}

TEST_F(BoostPresenterTest, ActionAreaFromNoSelectionThroughTheBoostToDone) {
    run(10, "editor", 3'000'000);
    run(11, "player", 1'000'000);
    vm.refresh();
    EXPECT_EQ(actionArea(vm), (BoostActionArea{Form::idle, "Select apps below to free memory", false}));
    EXPECT_FALSE(showsClearButton(vm));

    vm.selectHeavyApps(1);
    EXPECT_TRUE(showsClearButton(vm));
    const auto twoApps = "Free up memory — quit 2 app(s) (~" + memory(4'000'000) + ")";
    EXPECT_EQ(actionArea(vm), (BoostActionArea{Form::idle, twoApps, true}));
    const auto confirmation = quitConfirmation(vm);
    EXPECT_EQ(confirmation.title, "Quit 2 app(s)?");
    EXPECT_EQ(confirmation.names, (std::vector<std::string>{"Editor", "Player"}));
    EXPECT_EQ(confirmation.confirmLabel, "Quit & free memory");

    confirmQuit(vm, confirmation);
    EXPECT_EQ(actionArea(vm).form, Form::boosting);
    clock.advance(BoostViewModel::kSettleWait);
    EXPECT_EQ(actionArea(vm), (BoostActionArea{Form::done, "", false, "Apps quit — RAM returned to the system",
                                               "Quit 2 app(s)"}));
    EXPECT_EQ(signaller.sent, (std::vector<std::pair<std::int32_t, int>>{{10, SIGTERM}, {11, SIGTERM}}));

    vm.boostState.set(BoostViewModel::BoostState::done(3 << 20, 1));
    EXPECT_EQ(actionArea(vm).headline, "Freed " + memory(3 << 20) + " of RAM");
    EXPECT_EQ(actionArea(vm).detail, "Quit 1 app(s)");
    vm.boostState.set(BoostViewModel::BoostState::idle());
    EXPECT_EQ(actionArea(vm).form, Form::idle);
}

TEST_F(BoostPresenterTest, AConfirmedQuitNeverReachesAProcessThatTookTheSamePid) {
    run(10, "editor", 3'000'000);
    run(11, "player", 1'000'000);
    vm.refresh();
    vm.selectHeavyApps(1);
    const auto confirmation = quitConfirmation(vm);

    // While the dialog is open the editor quits and its pid goes to another
    // program, then to another editor; the list refreshes meanwhile.
    run(10, "intruder", 3'000'000, 7000);
    clock.advance(3s);
    vm.refresh();
    run(10, "editor", 3'000'000, 8000);
    confirmQuit(vm, confirmation);
    EXPECT_EQ(signaller.sent, (std::vector<std::pair<std::int32_t, int>>{{11, SIGTERM}}));
}

}  // namespace
}  // namespace zentrel::ui
