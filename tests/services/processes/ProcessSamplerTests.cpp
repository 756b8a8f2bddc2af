#include "services/processes/ProcessSampler.hpp"

#include "doubles/FakeClock.hpp"
#include "doubles/FakeProcTree.hpp"
#include "doubles/FakeWorkspace.hpp"
#include "doubles/TempDir.hpp"
#include "services/processes/ProcfsSystemStatistics.hpp"

#include <gtest/gtest.h>

namespace zentrel::services {
namespace {

using testing::FakeProcTree;

constexpr std::int32_t kOwnPid = 500;

class ProcessSamplerTest : public ::testing::Test {
protected:
    void addProcess(std::int32_t pid, std::string name, std::int64_t pages) {
        tree.addProcess({.pid = pid, .name = std::move(name), .residentPages = pages});
    }
    std::vector<std::int32_t> pidsOf(const std::vector<BoostProcess>& rows) {
        std::vector<std::int32_t> pids;
        for (const auto& row : rows) pids.push_back(row.pid);
        return pids;
    }

    testing::TempDir temp;
    FakeProcTree tree{temp / "proc"};
    ProcfsSystemStatistics statistics{
        {.procRoot = tree.root(), .pageSize = 1000, .clockTicksPerSecond = 100, .currentPid = kOwnPid}};
    testing::FakeWorkspace workspace;
    testing::FakeClock clock;
    ProcessSampler sampler{statistics, workspace, clock};
};

TEST_F(ProcessSamplerTest, MemorySnapshotFromMeminfoAndItsFallback) {
    tree.writeMeminfo({{"MemTotal", 1000}, {"MemFree", 100}, {"Active(anon)", 300}, {"Inactive(anon)", 200},
                       {"Active(file)", 150}, {"Inactive(file)", 50}, {"SUnreclaim", 100}});
    EXPECT_EQ(sampler.readMemorySnapshot(), (MemorySnapshot{.total = 1024'000, .used = 614'400, .free = 102'400,
                                                            .wired = 102'400, .app = 512'000, .cached = 204'800}));
    tree.writeMeminfo({{"MemTotal", 1000}});
    EXPECT_EQ(sampler.readMemorySnapshot(), (MemorySnapshot{.total = 1024'000, .free = 1024'000}));
}

TEST_F(ProcessSamplerTest, CpuLoadTicksAddBusyTimeToIdleTime) {
    tree.writeStat({10, 2, 8, 80}, 2);
    EXPECT_EQ(sampler.sampleCPULoadTicks(), (CpuLoadTicks{20, 100}));
}

TEST_F(ProcessSamplerTest, SamplesEveryReadableProcess) {
    addProcess(1, "init", 10);
    addProcess(42, "worker", 20);
    temp.makeDirectory("proc/43");  // ended between listing and reading
    const auto samples = sampler.sampleAllProcesses();
    ASSERT_EQ(samples.size(), 2u);
    EXPECT_EQ(samples.at(42), (ProcessSample{42, 20'000, 0, 5000}));
    EXPECT_FALSE(samples.contains(43));
    EXPECT_FALSE(samples.contains(0));
}

TEST_F(ProcessSamplerTest, ProcessNamesFallBackToThePidAndAreValidText) {
    addProcess(7, "caf\xC3\xA9", 1);
    addProcess(8, "bad\xFF", 1);
    EXPECT_EQ(sampler.processName(7), "café");
    EXPECT_EQ(sampler.processName(8), "bad\xEF\xBF\xBD");
    EXPECT_EQ(sampler.processName(999), "PID 999");
}

TEST_F(ProcessSamplerTest, AppIconsOnlyForRunningApplications) {
    workspace.add(7, "Seven", "org.seven");
    EXPECT_EQ(sampler.appIcon(7), "icon-7");
    EXPECT_EQ(sampler.appIcon(8), std::nullopt);
}

TEST_F(ProcessSamplerTest, BoostListHoldsRunningAppsOtherThanThisProgramByMemory) {
    addProcess(10, "small", 100);
    addProcess(11, "large", 900);
    addProcess(12, "background", 5000);
    addProcess(kOwnPid, "zentrel", 9000);
    addProcess(14, "medium", 500);
    workspace.add(10, "Small", "org.small");
    workspace.add(11, "Large", "org.large", true);
    workspace.add(kOwnPid, "Zentrel", "com.torvane.zentrel");
    workspace.add(14, "Medium", "org.medium");
    workspace.add(15, "No Sample", "org.gone");

    const auto rows = sampler.listBoostProcesses(10);
    EXPECT_EQ(pidsOf(rows), (std::vector<std::int32_t>{11, 14, 10}));
    for (const auto& row : rows) {
        EXPECT_TRUE(row.isApp);
        EXPECT_FALSE(row.isCurrentApp);
        EXPECT_EQ(row.cpuPercent, 0.0);
    }
    EXPECT_EQ(rows[0].name, "Large");
    EXPECT_EQ(rows[0].bundleID, "org.large");
    EXPECT_EQ(rows[0].residentBytes, 900'000);
    EXPECT_TRUE(rows[0].isActive);
    EXPECT_EQ(pidsOf(sampler.listBoostProcesses(2)), (std::vector<std::int32_t>{11, 14}));
    EXPECT_TRUE(sampler.listBoostProcesses(0).empty());
}

TEST_F(ProcessSamplerTest, TerminatingAnswersForGoneEndedAndRunningApplications) {
    workspace.add(20, "Running", "org.running");
    workspace.add(21, "Ended", "org.ended");
    workspace.applications.back().isTerminated = true;

    EXPECT_FALSE(sampler.terminateProcess(99, false));
    EXPECT_TRUE(sampler.terminateProcess(21, false));
    EXPECT_TRUE(sampler.terminateProcess(20, false));
    EXPECT_TRUE(sampler.terminateProcess(20, true));
    workspace.refusing.insert(20);
    EXPECT_FALSE(sampler.terminateProcess(20, false));
    EXPECT_EQ(workspace.requests, (std::vector<std::pair<std::int32_t, bool>>{{20, false}, {20, true}, {20, false}}));
}

TEST_F(ProcessSamplerTest, QuittingConfirmedRowsAsksExactlyThoseApplications) {
    workspace.add(30, "Mail", "org.mail");
    workspace.add(31, "Notes", "org.notes");
    workspace.add(32, "Chat", "org.chat");
    workspace.add(33, "Photos", "org.photos");
    workspace.add(35, "Viewer", "org.viewer");
    workspace.add(36, "Player", "org.player");
    workspace.applications[4].startTime = 900;
    workspace.applications[5].startTime = 700;
    workspace.refusing.insert(31);

    const std::vector<BoostProcess> confirmed = {
        {.pid = 30, .name = "Mail", .bundleID = "org.mail", .isApp = true},
        {.pid = 31, .name = "Notes", .bundleID = "org.notes", .isApp = true},
        // Chat ended and its pid went to Photos since the user confirmed.
        {.pid = 33, .name = "Chat", .bundleID = "org.chat", .isApp = true},
        {.pid = 34, .name = "Gone", .bundleID = "org.gone", .isApp = true},
        // The same application started again under the old pid.
        {.pid = 35, .name = "Viewer", .bundleID = "org.viewer", .isApp = true, .startTime = 800},
        // A row without an identifier is checked by its name.
        {.pid = 32, .name = "Mail", .isApp = true},
        {.pid = 36, .name = "Player", .isApp = true, .startTime = 700},
    };
    EXPECT_EQ(sampler.quitProcesses(confirmed), 2);
    EXPECT_EQ(workspace.requests,
              (std::vector<std::pair<std::int32_t, bool>>{{30, false}, {31, false}, {36, false}}));
}

}  // namespace
}  // namespace zentrel::services
