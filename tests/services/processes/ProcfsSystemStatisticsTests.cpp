#include "services/processes/ProcfsSystemStatistics.hpp"

#include "doubles/FakeProcTree.hpp"
#include "doubles/TempDir.hpp"
#include "services/processes/CpuPercent.hpp"

#include <gtest/gtest.h>

namespace zentrel::services {
namespace {

using testing::FakeProcTree;

constexpr std::int64_t kPage = 4096;
constexpr std::int64_t kTicksPerSecond = 100;

class ProcfsSystemStatisticsTest : public ::testing::Test {
protected:
    testing::TempDir temp;
    FakeProcTree tree{temp / "proc"};
    ProcfsSystemStatistics statistics{{.procRoot = tree.root(),
                                       .pageSize = kPage,
                                       .clockTicksPerSecond = kTicksPerSecond,
                                       .currentPid = 4242}};
};

TEST_F(ProcfsSystemStatisticsTest, MapsMeminfoToMemoryCounters) {
    tree.writeMeminfo({{"MemTotal", 16'000'000},
                       {"MemFree", 2'000'000},
                       {"Active(anon)", 3'000'000},
                       {"Inactive(anon)", 1'000'000},
                       {"Active(file)", 4'000'000},
                       {"Inactive(file)", 2'500'000},
                       {"Unevictable", 1'000},
                       {"SUnreclaim", 200'000},
                       {"KernelStack", 20'000},
                       {"PageTables", 80'000},
                       {"Zswap", 50'000}});

    EXPECT_EQ(statistics.physicalMemory(), 16'000'000LL * 1024);
    const auto counters = statistics.memoryCounters();
    ASSERT_TRUE(counters);
    EXPECT_EQ(counters->free, 2'000'000LL * 1024);
    EXPECT_EQ(counters->anonymous, 4'000'000LL * 1024);
    EXPECT_EQ(counters->fileBacked, 6'500'000LL * 1024);
    EXPECT_EQ(counters->wired, 301'000LL * 1024);
    EXPECT_EQ(counters->compressed, 50'000LL * 1024);
    EXPECT_EQ(counters->purgeable, 0);
}

TEST_F(ProcfsSystemStatisticsTest, MissingMeminfoFieldsGiveNoCountersButKeepTheTotal) {
    tree.writeMeminfo({{"MemTotal", 1'000'000}, {"Active(anon)", 10}});
    EXPECT_EQ(statistics.memoryCounters(), std::nullopt);
    EXPECT_EQ(statistics.physicalMemory(), 1'000'000LL * 1024);
}

TEST_F(ProcfsSystemStatisticsTest, WithoutMeminfoThereAreNoCounters) {
    EXPECT_EQ(statistics.memoryCounters(), std::nullopt);
    EXPECT_GT(statistics.physicalMemory(), 0);  // the machine's own size
}

TEST_F(ProcfsSystemStatisticsTest, ReadsCpuTicksAndProcessorCount) {
    // user nice system idle iowait irq softirq steal
    tree.writeStat({100, 5, 40, 800, 30, 2, 3, 1}, 6);
    const auto ticks = statistics.cpuTicks();
    ASSERT_TRUE(ticks);
    EXPECT_EQ(ticks->user, 100u);
    EXPECT_EQ(ticks->nice, 5u);
    EXPECT_EQ(ticks->system, 46u);
    EXPECT_EQ(ticks->idle, 830u);
    EXPECT_EQ(statistics.activeProcessorCount(), 6);
}

TEST_F(ProcfsSystemStatisticsTest, OldKernelsWithFourTickCountersStillRead) {
    tree.writeStat({7, 1, 2, 90}, 1);
    const auto ticks = statistics.cpuTicks();
    ASSERT_TRUE(ticks);
    EXPECT_EQ(ticks->system, 2u);
    EXPECT_EQ(ticks->idle, 90u);
}

TEST_F(ProcfsSystemStatisticsTest, MalformedOrMissingStatGivesNoTicks) {
    EXPECT_EQ(statistics.cpuTicks(), std::nullopt);
    temp.write("proc/stat", "cpu  12 x\n");
    EXPECT_EQ(statistics.cpuTicks(), std::nullopt);
}

TEST_F(ProcfsSystemStatisticsTest, ListsOnlyNumberedFoldersInOrder) {
    tree.addProcess({.pid = 300, .name = "b"});
    tree.addProcess({.pid = 1, .name = "init"});
    tree.addProcess({.pid = 27, .name = "a"});
    temp.makeDirectory("proc/self");
    temp.makeDirectory("proc/net");
    temp.makeDirectory("proc/0");
    EXPECT_EQ(statistics.listPids(), (std::vector<std::int32_t>{1, 27, 300}));
}

TEST_F(ProcfsSystemStatisticsTest, ReadsResidentMemoryAndCpuTime) {
    tree.addProcess({.pid = 77, .name = "Web Content (x) y", .userTicks = 250, .systemTicks = 3,
                     .residentPages = 1000});
    const auto info = statistics.taskInfo(77);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->residentBytes, 1000 * kPage);
    EXPECT_EQ(info->cpuTimeNanos, 2'530'000'000u);
    EXPECT_EQ(statistics.processName(77), "Web Content (x) y");
}

TEST_F(ProcfsSystemStatisticsTest, ProcessesThatVanishOrAreUnreadableGiveNothing) {
    EXPECT_EQ(statistics.taskInfo(99), std::nullopt);
    EXPECT_EQ(statistics.processName(99), std::nullopt);
    temp.write("proc/98/stat", "98 (half) S 1 98\n");
    temp.write("proc/98/statm", "10 5 0 0 0 0 0\n");
    EXPECT_EQ(statistics.taskInfo(98), std::nullopt);
    EXPECT_EQ(statistics.currentPid(), 4242);
}

TEST_F(ProcfsSystemStatisticsTest, CpuPercentFromTwoReadings) {
    tree.addProcess({.pid = 50, .name = "busy", .userTicks = 1000, .systemTicks = 0, .residentPages = 1});
    const auto before = statistics.taskInfo(50);
    // 150 ticks (1.5 s of CPU) over 3 s of wall time.
    tree.addProcess({.pid = 50, .name = "busy", .userTicks = 1100, .systemTicks = 50, .residentPages = 1});
    const auto after = statistics.taskInfo(50);
    ASSERT_TRUE(before && after);
    const ProcessSample first{50, before->residentBytes, before->cpuTimeNanos};
    const ProcessSample second{50, after->residentBytes, after->cpuTimeNanos};
    EXPECT_DOUBLE_EQ(cpuPercent(&first, second, 3e9, 4), 50.0);
}

}  // namespace
}  // namespace zentrel::services
