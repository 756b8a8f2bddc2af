#include "services/energy/EnergySampler.hpp"

#include "services/processes/ProcfsSystemStatistics.hpp"

#include "doubles/FakeClock.hpp"
#include "doubles/FakeEnergyReportSource.hpp"
#include "doubles/FakePowerSourceMonitor.hpp"
#include "doubles/FakeProcTree.hpp"
#include "doubles/FakeWorkspace.hpp"
#include "doubles/InMemoryDefaultsStore.hpp"
#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

namespace zentrel::services {
namespace {

using namespace std::chrono_literals;

class EnergySamplerTest : public ::testing::Test {
protected:
    EnergySamplerTest() {
        tree.writeMeminfo({{"MemTotal", 1'000'000}, {"MemFree", 500'000}});
        tree.writeStat({0, 0, 0, 0}, 4);
    }

    testing::TempDir temp;
    testing::FakeProcTree tree{temp / "proc"};
    ProcfsSystemStatistics statistics{{.procRoot = tree.root(), .pageSize = 1000, .clockTicksPerSecond = 100, .currentPid = 1}};
    testing::FakeWorkspace workspace;
    testing::FakeClock clock;
    ProcessSampler processes{statistics, workspace, clock};
    testing::FakeEnergyReportSource energy;
    SystemPowerSampler power{energy, clock};
    testing::InMemoryDefaultsStore defaults;
    EnergyStore store{defaults, clock};
    testing::FakePowerSourceMonitor powerSource;
    EnergySampler sampler{processes, power, store, powerSource, clock, clock};
};

TEST_F(EnergySamplerTest, PassesRunAtOnceThenOnThePowerSourcesSchedule) {
    sampler.start();
    EXPECT_TRUE(sampler.isRunning());
    const int afterFirst = powerSource.checks;
    EXPECT_GE(afterFirst, 1);

    // On mains the next pass waits 900 s.
    clock.advance(899s);
    EXPECT_EQ(powerSource.checks, afterFirst);
    clock.advance(1s);
    EXPECT_GT(powerSource.checks, afterFirst);

    // On battery it comes after 300 s.
    powerSource.onBattery = true;
    clock.advance(900s);  // the pass scheduled for mains, which now sees the battery
    const int onBattery = powerSource.checks;
    clock.advance(300s);
    EXPECT_GT(powerSource.checks, onBattery);

    sampler.stop();
    const int stopped = powerSource.checks;
    clock.advance(3600s);
    EXPECT_EQ(powerSource.checks, stopped);
    EXPECT_FALSE(sampler.isRunning());
}

}  // namespace
}  // namespace zentrel::services
