#include "services/energy/PowercapEnergyReportSource.hpp"

#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

namespace zentrel::services {
namespace {

class PowercapEnergyReportSourceTest : public ::testing::Test {
protected:
    void zone(const std::string& id, const std::string& name, std::uint64_t energy, std::uint64_t range = 1'000'000) {
        const std::string folder = "sys/class/powercap/" + id;
        temp.write(folder + "/name", name + "\n");
        temp.write(folder + "/energy_uj", std::to_string(energy) + "\n");
        temp.write(folder + "/max_energy_range_uj", std::to_string(range) + "\n");
    }
    void setEnergy(const std::string& id, std::uint64_t energy) {
        temp.write("sys/class/powercap/" + id + "/energy_uj", std::to_string(energy) + "\n");
    }
    // Subscribes, samples, lets `change` move the counters, samples again.
    std::optional<std::vector<EnergyChannel>> deltaAcross(const std::function<void()>& change) {
        const auto channels = source.copyChannels(kEnergyModelGroup);
        if (!channels || !source.subscribe(*channels)) return std::nullopt;
        const auto first = source.createSample();
        change();
        const auto second = source.createSample();
        if (!first || !second) return std::nullopt;
        return source.createDelta(*first, *second);
    }
    static EnergyChannel microjoules(std::string name, std::int64_t value) {
        return {"Energy Model", std::move(name), "uJ", value};
    }

    testing::TempDir temp;
    PowercapEnergyReportSource source{temp / "sys"};
};

TEST_F(PowercapEnergyReportSourceTest, NoPowercapZonesMeansNoChannels) {
    EXPECT_EQ(source.copyChannels(kEnergyModelGroup), std::nullopt);
    zone("intel-rapl:0", "psys", 10);  // the platform zone alone gives no package
    temp.makeDirectory("sys/class/powercap/intel-rapl");
    EXPECT_EQ(source.copyChannels(kEnergyModelGroup), std::nullopt);
}

TEST_F(PowercapEnergyReportSourceTest, OnlyTheEnergyModelGroupExists) {
    zone("intel-rapl:0", "package-0", 10);
    EXPECT_EQ(source.copyChannels("Other Group"), std::nullopt);
    EXPECT_TRUE(source.copyChannels(kEnergyModelGroup));
}

TEST_F(PowercapEnergyReportSourceTest, MapsZonesToChannelsAndLeavesTheSubzonesOutOfTheSocChannel) {
    zone("intel-rapl:0", "package-0", 1'000);
    zone("intel-rapl:0:0", "core", 100);
    zone("intel-rapl:0:1", "uncore", 50);
    zone("intel-rapl:0:2", "dram", 10);
    zone("intel-rapl:1", "psys", 5'000);
    zone("intel-rapl:1:0", "core", 5'000);  // below psys: ignored

    const auto delta = deltaAcross([&] {
        setEnergy("intel-rapl:0", 1'000 + 9'000);
        setEnergy("intel-rapl:0:0", 100 + 5'000);
        setEnergy("intel-rapl:0:1", 50 + 1'000);
        setEnergy("intel-rapl:0:2", 10 + 700);
        setEnergy("intel-rapl:1", 99'999);
    });
    ASSERT_TRUE(delta);
    EXPECT_EQ(*delta, (std::vector<EnergyChannel>{microjoules("CPU Energy 0", 5'000), microjoules("GPU Energy 0", 1'000),
                                                  microjoules("DRAM Energy 0", 700), microjoules("SOC Energy 0", 3'000)}));
}

TEST_F(PowercapEnergyReportSourceTest, EveryPackageHasItsOwnChannels) {
    zone("intel-rapl:0", "package-0", 0);
    zone("intel-rapl:1", "package-1", 0);
    zone("intel-rapl:1:0", "core", 0);
    const auto delta = deltaAcross([&] {
        setEnergy("intel-rapl:0", 400);
        setEnergy("intel-rapl:1", 900);
        setEnergy("intel-rapl:1:0", 1'000);  // a core reading above its package clamps the rest at 0
    });
    ASSERT_TRUE(delta);
    EXPECT_EQ(*delta, (std::vector<EnergyChannel>{microjoules("SOC Energy 0", 400), microjoules("CPU Energy 1", 1'000),
                                                  microjoules("SOC Energy 1", 0)}));
}

TEST_F(PowercapEnergyReportSourceTest, CountsAcrossACounterWrap) {
    zone("intel-rapl:0", "package-0", 999'000, 999'999);
    const auto delta = deltaAcross([&] { setEnergy("intel-rapl:0", 500); });
    ASSERT_TRUE(delta);
    // 999'000 -> 999'999 is 999 uJ, one more to 0, then 500.
    EXPECT_EQ(*delta, (std::vector<EnergyChannel>{microjoules("SOC Energy 0", 1'500)}));
}

TEST_F(PowercapEnergyReportSourceTest, AWrapWithoutAKnownRangeGivesNoDelta) {
    zone("intel-rapl:0", "package-0", 999'000, 0);
    EXPECT_EQ(deltaAcross([&] { setEnergy("intel-rapl:0", 500); }), std::nullopt);
}

TEST_F(PowercapEnergyReportSourceTest, UnreadableCountersRefuseTheSubscription) {
    zone("intel-rapl:0", "package-0", 10);
    temp.write("sys/class/powercap/intel-rapl:0/energy_uj", "");
    const auto channels = source.copyChannels(kEnergyModelGroup);
    ASSERT_TRUE(channels);
    EXPECT_FALSE(source.subscribe(*channels));
    EXPECT_EQ(source.createSample(), std::nullopt);
}

TEST_F(PowercapEnergyReportSourceTest, SamplesOfAnotherZoneSetGiveNoDelta) {
    zone("intel-rapl:0", "package-0", 10);
    ASSERT_TRUE(source.copyChannels(kEnergyModelGroup));
    const auto sample = source.createSample();
    ASSERT_TRUE(sample);
    EXPECT_EQ(source.createDelta(*sample, EnergySample{}), std::nullopt);
    EnergySample renamed = *sample;
    renamed[0].name = "elsewhere";
    EXPECT_EQ(source.createDelta(*sample, renamed), std::nullopt);
}

}  // namespace
}  // namespace zentrel::services
