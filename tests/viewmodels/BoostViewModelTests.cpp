#include "viewmodels/BoostViewModel.hpp"

#include "doubles/FakeClock.hpp"
#include "doubles/FakeProcTree.hpp"
#include "doubles/FakeWorkspace.hpp"
#include "doubles/TempDir.hpp"
#include "services/processes/ProcfsSystemStatistics.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace zentrel::viewmodels {
namespace {

using namespace std::chrono_literals;
using services::BoostProcess;
using testing::FakeProcTree;
using BoostState = BoostViewModel::BoostState;

constexpr std::int32_t kOwnPid = 900;
constexpr std::int64_t kPageSize = 1000;

class BoostViewModelTest : public ::testing::Test {
protected:
    BoostViewModelTest() {
        setMemory(100'000, 60'000);
        tree.writeStat({0, 0, 0, 0}, 4);
    }

    // Memory in kB: free, and anonymous memory that counts as used.
    void setMemory(std::int64_t freeKB, std::int64_t usedKB) {
        tree.writeMeminfo({{"MemTotal", 1'000'000}, {"MemFree", freeKB}, {"Active(anon)", usedKB},
                           {"Inactive(anon)", 0}, {"Active(file)", 0}, {"Inactive(file)", 0}});
    }
    void addProcess(std::int32_t pid, const std::string& name, std::int64_t bytes, std::uint64_t cpuTicks = 0) {
        processes[pid] = {.pid = pid, .name = name, .userTicks = cpuTicks, .residentPages = bytes / kPageSize};
        tree.addProcess(processes[pid]);
    }
    void addApp(std::int32_t pid, const std::string& name, std::int64_t bytes, bool active = false) {
        addProcess(pid, name, bytes);
        workspace.add(pid, name, "org." + name, active);
    }
    void setCpuTicks(std::int32_t pid, std::uint64_t ticks) {
        processes[pid].userTicks = ticks;
        tree.addProcess(processes[pid]);
    }
    void endProcess(std::int32_t pid) {
        tree.removeProcess(pid);
        std::erase_if(workspace.applications, [&](const auto& app) { return app.processIdentifier == pid; });
    }
    const BoostProcess* row(std::int32_t pid) const {
        const auto& rows = model.processes.get();
        auto found = std::find_if(rows.begin(), rows.end(), [&](const BoostProcess& r) { return r.pid == pid; });
        return found == rows.end() ? nullptr : &*found;
    }
    std::vector<std::int32_t> shownPids() const {
        std::vector<std::int32_t> pids;
        for (const auto& r : model.processes.get()) pids.push_back(r.pid);
        return pids;
    }

    testing::TempDir temp;
    FakeProcTree tree{temp / "proc"};
    std::map<std::int32_t, FakeProcTree::Process> processes;
    services::ProcfsSystemStatistics statistics{
        {.procRoot = tree.root(), .pageSize = kPageSize, .clockTicksPerSecond = 100, .currentPid = kOwnPid}};
    testing::FakeWorkspace workspace;
    testing::FakeClock clock;
    services::ProcessSampler sampler{statistics, workspace, clock};
    BoostViewModel model{sampler, clock, clock};
};

TEST_F(BoostViewModelTest, StartsEmptyAndIdle) {
    EXPECT_EQ(model.memory.get(), services::MemorySnapshot{});
    EXPECT_EQ(model.systemCPU.get(), 0.0);
    EXPECT_TRUE(model.processes.get().empty());
    EXPECT_EQ(model.sortMode.get(), BoostViewModel::SortMode::memory);
    EXPECT_FALSE(model.showBackground.get());
    EXPECT_EQ(model.boostState.get(), BoostState::idle());
    EXPECT_EQ(BoostViewModel::rawValue(BoostViewModel::SortMode::cpu), "cpu");
    EXPECT_EQ(BoostViewModel::title(BoostViewModel::SortMode::memory), "Memory");
    EXPECT_EQ(BoostViewModel::title(BoostViewModel::SortMode::cpu), "CPU");
}

TEST_F(BoostViewModelTest, FirstRefreshHasNoRatesThenTheSecondMeasuresThem) {
    addApp(10, "Editor", 5'000'000);
    setCpuTicks(10, 1000);
    model.refresh();
    EXPECT_EQ(model.memory.get().free, 100'000 * 1024);
    EXPECT_EQ(model.systemCPU.get(), 0.0);
    ASSERT_NE(row(10), nullptr);
    EXPECT_EQ(row(10)->cpuPercent, 0.0);

    clock.advance(3s);
    setCpuTicks(10, 1150);                      // 1.5 s of CPU in 3 s
    tree.writeStat({20, 5, 5, 70}, 4);          // 30 busy of 100 ticks
    model.refresh();
    EXPECT_DOUBLE_EQ(row(10)->cpuPercent, 50.0);
    EXPECT_DOUBLE_EQ(model.systemCPU.get(), 0.3);
}

TEST_F(BoostViewModelTest, CpuPercentIsZeroWhenTheCounterWentBackAndCappedAtAllCores) {
    addApp(10, "Reused", 1'000'000, false);
    addApp(11, "Spinner", 1'000'000, false);
    setCpuTicks(10, 5000);
    model.refresh();
    clock.advance(1s);
    setCpuTicks(10, 10);      // the pid now names a new process
    setCpuTicks(11, 10'000);  // 100 s of CPU in 1 s
    model.refresh();
    EXPECT_EQ(row(10)->cpuPercent, 0.0);
    EXPECT_EQ(row(11)->cpuPercent, 400.0);
}

TEST_F(BoostViewModelTest, UnreadableTicksKeepTheLastSystemLoad) {
    model.refresh();
    tree.writeStat({50, 0, 0, 50}, 4);
    model.refresh();
    EXPECT_DOUBLE_EQ(model.systemCPU.get(), 0.5);
    temp.write("proc/stat", "garbage\n");
    model.refresh();
    EXPECT_DOUBLE_EQ(model.systemCPU.get(), 0.5);
    tree.writeStat({150, 0, 0, 50}, 4);  // measured against the last readable ticks
    model.refresh();
    EXPECT_DOUBLE_EQ(model.systemCPU.get(), 1.0);
}

TEST_F(BoostViewModelTest, BackgroundProcessesOnlyWhenAskedAndNamedByTheKernel) {
    addApp(10, "Editor", 3'000'000);
    addProcess(20, "indexer", 9'000'000);
    model.refresh();
    EXPECT_EQ(shownPids(), (std::vector<std::int32_t>{10}));

    model.showBackground.set(true);
    EXPECT_EQ(shownPids(), (std::vector<std::int32_t>{10}));  // takes effect at the next refresh
    model.refresh();
    EXPECT_EQ(shownPids(), (std::vector<std::int32_t>{20, 10}));
    EXPECT_EQ(row(20)->name, "indexer");
    EXPECT_FALSE(row(20)->isApp);
    EXPECT_EQ(row(20)->bundleID, std::nullopt);
    EXPECT_EQ(row(10)->name, "Editor");
    EXPECT_EQ(row(10)->bundleID, "org.Editor");
}

TEST_F(BoostViewModelTest, SortsByMemoryOrCpu) {
    addApp(10, "Big", 9'000'000);
    addApp(11, "Busy", 1'000'000);
    model.refresh();
    clock.advance(3s);
    setCpuTicks(11, 300);
    model.refresh();
    EXPECT_EQ(shownPids(), (std::vector<std::int32_t>{10, 11}));
    model.sortMode.set(BoostViewModel::SortMode::cpu);
    model.refresh();
    EXPECT_EQ(shownPids(), (std::vector<std::int32_t>{11, 10}));
}

TEST_F(BoostViewModelTest, ShowsAtMostSixtyRows) {
    for (int i = 0; i < 75; ++i) addApp(100 + i, "App" + std::to_string(i), 1'000'000 + i * 1000);
    model.refresh();
    ASSERT_EQ(model.processes.get().size(), 60u);
    EXPECT_EQ(model.processes.get().front().pid, 174);  // the largest first
    EXPECT_EQ(model.processIcons.get().size(), 60u);
    EXPECT_EQ(model.processIcons.get().at(174), "icon-174");
}

TEST_F(BoostViewModelTest, ListRefreshesAnnounceEveryTimeButSummariesOnlyChanges) {
    addApp(10, "Editor", 1'000'000);
    int listAnnouncements = 0;
    int memoryAnnouncements = 0;
    auto listSub = model.processes.observe([&](const auto&) { ++listAnnouncements; });
    auto memorySub = model.memory.observe([&](const auto&) { ++memoryAnnouncements; });
    model.refresh();
    model.refresh();
    EXPECT_EQ(listAnnouncements, 2);
    EXPECT_EQ(memoryAnnouncements, 1);
}

TEST_F(BoostViewModelTest, RefreshesEveryThreeSecondsWhileShown) {
    addApp(10, "Editor", 1'000'000);
    int refreshes = 0;
    auto sub = model.processes.observe([&](const auto&) { ++refreshes; });

    model.start();
    EXPECT_EQ(refreshes, 1);  // at once
    EXPECT_TRUE(model.isRunning());
    model.start();            // already running: no second loop
    clock.advance(2999ms);
    EXPECT_EQ(refreshes, 1);
    clock.advance(1ms);
    EXPECT_EQ(refreshes, 2);
    clock.advance(9s);
    EXPECT_EQ(refreshes, 5);

    model.stop();
    EXPECT_FALSE(model.isRunning());
    clock.advance(30s);
    EXPECT_EQ(refreshes, 5);
    EXPECT_EQ(clock.activeTimerCount(), 0u);
}

TEST_F(BoostViewModelTest, OnlyApplicationRowsOtherThanThisProgramCanBeSelected) {
    addApp(10, "Editor", 1'000'000);
    addApp(kOwnPid, "Zentrel", 1'000'000);
    addProcess(20, "daemon", 1'000'000);
    model.showBackground.set(true);
    model.refresh();

    model.toggleSelection(*row(kOwnPid));
    model.toggleSelection(*row(20));
    EXPECT_TRUE(model.selectedPIDs.get().empty());
    model.toggleSelection(*row(10));
    EXPECT_EQ(model.selectedPIDs.get(), (std::set<std::int32_t>{10}));
    EXPECT_EQ(model.selectedCount(), 1);
    EXPECT_EQ(model.selectedBytes(), 1'000'000);
    model.toggleSelection(*row(10));
    EXPECT_TRUE(model.selectedPIDs.get().empty());

    std::vector<std::int32_t> selectable;
    for (const auto& app : model.selectableApps()) selectable.push_back(app.pid);
    EXPECT_EQ(selectable.size(), 1u);
    EXPECT_EQ(selectable.front(), 10);
}

TEST_F(BoostViewModelTest, EndedProcessesLeaveTheSelection) {
    addApp(10, "Editor", 1'000'000);
    addApp(11, "Player", 1'000'000);
    model.refresh();
    model.toggleSelection(*row(10));
    model.toggleSelection(*row(11));
    endProcess(11);
    model.refresh();
    EXPECT_EQ(model.selectedPIDs.get(), (std::set<std::int32_t>{10}));
    model.clearSelection();
    EXPECT_TRUE(model.selectedPIDs.get().empty());
}

TEST_F(BoostViewModelTest, HeavyAppsAreTheInactiveOnesAtOrAboveTheThreshold) {
    addApp(10, "Exact", 200'000'000);
    addApp(11, "Frontmost", 900'000'000, true);
    addApp(12, "Light", 199'999'000);
    addApp(kOwnPid, "Zentrel", 900'000'000);
    model.refresh();
    model.toggleSelection(*row(12));
    model.selectHeavyApps(200);
    EXPECT_EQ(model.selectedPIDs.get(), (std::set<std::int32_t>{10}));
    model.selectHeavyApps(5000);
    EXPECT_TRUE(model.selectedPIDs.get().empty());
}

TEST_F(BoostViewModelTest, BoostWithoutSelectionChangesNothing) {
    addApp(10, "Editor", 1'000'000);
    model.refresh();
    model.boostSelected();
    EXPECT_EQ(model.boostState.get(), BoostState::idle());
    EXPECT_TRUE(workspace.requests.empty());
    EXPECT_EQ(clock.activeTimerCount(), 0u);
}

TEST_F(BoostViewModelTest, BoostQuitsTheSelectionWaitsThenReportsWhatWasFreed) {
    addApp(10, "Editor", 300'000'000);
    addApp(11, "Stubborn", 200'000'000);
    addApp(12, "Unselected", 900'000'000);
    workspace.refusing.insert(11);
    workspace.onTerminate = [&](std::int32_t pid, bool) {
        endProcess(pid);
        setMemory(400'000, 40'000);
    };
    model.refresh();
    model.toggleSelection(*row(10));
    model.toggleSelection(*row(11));

    model.boostSelected();
    EXPECT_EQ(model.boostState.get(), BoostState::boosting());
    EXPECT_EQ(workspace.requests, (std::vector<std::pair<std::int32_t, bool>>{{10, false}, {11, false}}));

    clock.advance(1399ms);
    EXPECT_EQ(model.boostState.get(), BoostState::boosting());
    clock.advance(2ms);
    // Free rose by 300'000 kB, used fell by 20'000 kB: the larger counts.
    EXPECT_EQ(model.boostState.get(), BoostState::done(300'000 * 1024, 2));
    EXPECT_TRUE(model.selectedPIDs.get().empty());
    EXPECT_EQ(row(10), nullptr);
    EXPECT_NE(row(11), nullptr);  // refused: still listed
    EXPECT_EQ(workspace.requests.size(), 2u);  // nothing forced, nothing else asked
}

TEST_F(BoostViewModelTest, MemoryThatRoseDuringTheBoostFreesNothing) {
    addApp(10, "Editor", 1'000'000);
    workspace.onTerminate = [&](std::int32_t, bool) { setMemory(50'000, 90'000); };
    model.refresh();
    model.toggleSelection(*row(10));
    model.boostSelected();
    clock.advance(BoostViewModel::kSettleWait);
    EXPECT_EQ(model.boostState.get(), BoostState::done(0, 1));
}

TEST_F(BoostViewModelTest, ABoostKeepsToItsTargetsWhileTheListRefreshesDuringTheWait) {
    addApp(10, "Editor", 1'000'000);
    addApp(11, "Player", 2'000'000);
    model.start();
    model.toggleSelection(*row(10));
    model.boostSelected();
    model.toggleSelection(*row(11));
    model.boostSelected();  // still waiting: ignored
    EXPECT_EQ(workspace.requests, (std::vector<std::pair<std::int32_t, bool>>{{10, false}}));

    clock.advance(1s);
    clock.advance(3s);  // a refresh at 3 s, the boost ends at 1.4 s
    EXPECT_EQ(model.boostState.get().count, 1);
    EXPECT_EQ(workspace.requests.size(), 1u);

    // A later boost starts from done again.
    model.toggleSelection(*row(11));
    model.boostSelected();
    EXPECT_EQ(model.boostState.get(), BoostState::boosting());
    clock.advance(2s);
    EXPECT_EQ(model.boostState.get().phase, BoostState::Phase::done);
    EXPECT_EQ(workspace.requests.back(), (std::pair<std::int32_t, bool>{11, false}));
}

TEST_F(BoostViewModelTest, AQuitReachesOnlyTheProcessesTheUserConfirmed) {
    addApp(10, "Editor", 1'000'000);
    addApp(11, "Player", 1'000'000);
    model.refresh();
    model.toggleSelection(*row(10));
    model.toggleSelection(*row(11));
    const auto confirmed = model.selectedApps();
    ASSERT_EQ(confirmed.size(), 2u);

    // The editor ends and the same program starts again under its pid.
    processes[10].startTicks = 9000;
    tree.addProcess(processes[10]);
    workspace.applications[0].startTime = 9000;
    model.boostSelected(confirmed);
    EXPECT_EQ(workspace.requests, (std::vector<std::pair<std::int32_t, bool>>{{11, false}}));

    // A refresh also drops the pid from the selection.
    model.toggleSelection(*row(10));
    model.refresh();
    EXPECT_FALSE(model.selectedPIDs.get().contains(10));
}

TEST_F(BoostViewModelTest, AModelGoneDuringTheWaitIsNeverCalledBack) {
    addApp(10, "Editor", 1'000'000);
    auto shortLived = std::make_unique<BoostViewModel>(sampler, clock, clock);
    shortLived->start();
    shortLived->toggleSelection(shortLived->processes.get().front());
    shortLived->boostSelected();
    ASSERT_EQ(clock.activeTimerCount(), 2u);
    shortLived.reset();
    EXPECT_EQ(clock.activeTimerCount(), 0u);
    clock.advance(5s);
}

}  // namespace
}  // namespace zentrel::viewmodels
