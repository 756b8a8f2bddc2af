#include "services/energy/IOReportEnergySubscription.hpp"
#include "services/energy/SystemPowerSampler.hpp"

#include "doubles/FakeClock.hpp"
#include "doubles/FakeEnergyReportSource.hpp"

#include <gtest/gtest.h>

namespace zentrel::services {
namespace {

using namespace std::chrono_literals;

EnergyChannel channel(std::string name, std::int64_t value, std::string unit = "mJ") {
    return {"Energy Model", std::move(name), std::move(unit), value};
}

const platform::Date kWhen = platform::Date::fromTimeIntervalSince1970(1'700'000'000);

TEST(PowerReadingTest, ConvertsEachUnitToWatts) {
    const auto reading = IOReportEnergySubscription::powerReading({channel("CPU Energy", 5000)}, 2.0, kWhen);
    ASSERT_TRUE(reading);
    EXPECT_DOUBLE_EQ(reading->cpuWatts, 2.5);
    EXPECT_DOUBLE_EQ(reading->packageWatts, 2.5);
    EXPECT_EQ(reading->sampledAt, kWhen);

    const auto units = IOReportEnergySubscription::powerReading(
        {channel("GPU Energy", 3'000'000, " uJ\n"), channel("ANE Energy", 4'000'000'000, "nJ"),
         channel("SOC Energy", 7, "J"), channel("DRAM Energy", 9, "")},
        1.0, kWhen);
    ASSERT_TRUE(units);
    EXPECT_DOUBLE_EQ(units->gpuWatts, 3.0);
    EXPECT_DOUBLE_EQ(units->aneWatts, 4.0);
    EXPECT_DOUBLE_EQ(units->packageWatts, 7.0);  // joules and unitless channels are skipped
}

struct NameCase {
    const char* name;
    double cpu, gpu, ane, package;
};
// Failures name the case rather than dump its bytes.
void PrintTo(const NameCase& c, std::ostream* out) { *out << c.name; }

class ChannelNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(ChannelNameTest, ClassifiesByTheFirstMatchingName) {
    const auto& c = GetParam();
    const auto reading = IOReportEnergySubscription::powerReading({channel(c.name, 1000)}, 1.0, kWhen);
    if (c.package == 0) {
        EXPECT_FALSE(reading) << c.name;
        return;
    }
    ASSERT_TRUE(reading) << c.name;
    EXPECT_EQ(reading->cpuWatts, c.cpu) << c.name;
    EXPECT_EQ(reading->gpuWatts, c.gpu) << c.name;
    EXPECT_EQ(reading->aneWatts, c.ane) << c.name;
    EXPECT_EQ(reading->packageWatts, c.package) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Names, ChannelNameTest,
                         ::testing::Values(NameCase{"CPU Energy", 1, 0, 0, 1}, NameCase{"GPU-CPU bridge", 0, 1, 0, 1},
                                           NameCase{"PACC0_CPU", 1, 0, 0, 1}, NameCase{"EACC_CPU1", 1, 0, 0, 1},
                                           NameCase{"PACC1", 1, 0, 0, 1}, NameCase{"ANE0", 0, 0, 1, 1},
                                           NameCase{"DRAM", 0, 0, 0, 1}, NameCase{"AMCC", 0, 0, 0, 1},
                                           NameCase{"ISP", 0, 0, 0, 1}, NameCase{"Display", 0, 0, 0, 1} /* holds "isp" */,
                                           NameCase{"plane", 0, 0, 0, 0}));

TEST(PowerReadingTest, NothingForAnEmptyOrZeroDeltaOrABadInterval) {
    EXPECT_FALSE(IOReportEnergySubscription::powerReading({}, 1.0, kWhen));
    EXPECT_FALSE(IOReportEnergySubscription::powerReading({channel("CPU", 0)}, 1.0, kWhen));
    EXPECT_FALSE(IOReportEnergySubscription::powerReading({channel("CPU", 100)}, 0.0, kWhen));
    EXPECT_FALSE(IOReportEnergySubscription::powerReading({channel("CPU", 100)}, -1.0, kWhen));
    EnergyChannel otherGroup = channel("CPU", 100);
    otherGroup.group = "Other";
    EXPECT_FALSE(IOReportEnergySubscription::powerReading({otherGroup}, 1.0, kWhen));
}

class EnergySubscriptionTest : public ::testing::Test {
protected:
    testing::FakeClock clock;
    testing::FakeEnergyReportSource source;
};

TEST_F(EnergySubscriptionTest, NoSubscriptionWithoutChannelsOrWhenRefused) {
    source.channels = std::nullopt;
    EXPECT_EQ(IOReportEnergySubscription::make(source, clock), nullptr);
    source.channels = std::vector<EnergyChannel>{channel("CPU", 0)};
    source.subscribable = false;
    EXPECT_EQ(IOReportEnergySubscription::make(source, clock), nullptr);
    source.subscribable = true;
    EXPECT_NE(IOReportEnergySubscription::make(source, clock), nullptr);
}

TEST_F(EnergySubscriptionTest, FirstSamplePrimesThenEachLaterOneGivesWatts) {
    auto subscription = IOReportEnergySubscription::make(source, clock);
    ASSERT_TRUE(subscription);
    source.deltas[2] = {channel("CPU", 4000)};
    EXPECT_FALSE(subscription->sample(0.08));
    clock.advance(2s);
    const auto reading = subscription->sample(0.08);
    ASSERT_TRUE(reading);
    EXPECT_DOUBLE_EQ(reading->packageWatts, 2.0);
    EXPECT_EQ(reading->sampledAt, clock.now());
}

TEST_F(EnergySubscriptionTest, ASampleTooSoonIsDroppedAndTheEarlierOneKept) {
    auto subscription = IOReportEnergySubscription::make(source, clock);
    ASSERT_TRUE(subscription);
    EXPECT_FALSE(subscription->sample(0.08));  // sample 1
    clock.advance(50ms);
    EXPECT_FALSE(subscription->sample(0.08));  // sample 2, dropped
    clock.advance(950ms);
    source.deltas[3] = {channel("CPU", 1000)};  // measured from sample 1
    const auto reading = subscription->sample(0.08);
    ASSERT_TRUE(reading);
    EXPECT_DOUBLE_EQ(reading->cpuWatts, 1.0);
}

TEST_F(EnergySubscriptionTest, AFailedDeltaMovesOnToTheNewSample) {
    auto subscription = IOReportEnergySubscription::make(source, clock);
    ASSERT_TRUE(subscription);
    EXPECT_FALSE(subscription->sample(0.08));
    clock.advance(1s);
    EXPECT_FALSE(subscription->sample(0.08));  // no delta for sample 2
    clock.advance(4s);
    source.deltas[3] = {channel("CPU", 8000)};
    const auto reading = subscription->sample(0.08);
    ASSERT_TRUE(reading);
    EXPECT_DOUBLE_EQ(reading->cpuWatts, 2.0);  // over the 4 s since sample 2
}

TEST_F(EnergySubscriptionTest, PowerSamplerGivesNothingUntilAReadingThenZeroWhenTooSoon) {
    SystemPowerSampler sampler(source, clock);
    source.deltas[3] = {channel("CPU", 1000)};
    EXPECT_FALSE(sampler.sampleSystemPower());  // primes
    clock.advance(50ms);
    EXPECT_FALSE(sampler.sampleSystemPower());  // too soon, no reading ever
    clock.advance(950ms);
    ASSERT_TRUE(sampler.sampleSystemPower());
    clock.advance(50ms);
    const auto zero = sampler.sampleSystemPower();
    ASSERT_TRUE(zero);
    EXPECT_EQ(*zero, model::SystemPowerReading::zero());
}

TEST_F(EnergySubscriptionTest, PowerSamplerRetriesAFailedSubscription) {
    source.channels = std::nullopt;
    SystemPowerSampler sampler(source, clock);
    EXPECT_FALSE(sampler.sampleSystemPower());
    EXPECT_FALSE(sampler.sampleSystemPower());
    EXPECT_EQ(source.channelRequests, 2);
    source.channels = std::vector<EnergyChannel>{channel("CPU", 0)};
    EXPECT_FALSE(sampler.sampleSystemPower());  // made now, primed
    EXPECT_FALSE(sampler.sampleSystemPower());
    EXPECT_EQ(source.channelRequests, 3);  // made once
}

}  // namespace
}  // namespace zentrel::services
