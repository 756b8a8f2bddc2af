#pragma once
// Energy counters from the Linux powercap RAPL zones under
// "class/powercap/intel-rapl:N[:M]" of a sysfs root. Each package gives up to
// four channels of the energy model, in microjoules:
//   "CPU Energy N"   the cores ("core" subzone),
//   "GPU Energy N"   the integrated graphics ("uncore" subzone),
//   "DRAM Energy N"  the memory ("dram" subzone),
//   "SOC Energy N"   the rest of the package: the package less its core and
//                    uncore subzones, which it contains.
// A counter that passed its range ("max_energy_range_uj") and started again
// from 0 is counted across the wrap. Most kernels let only root read the
// counters; then subscribing fails and there are no readings.

#include "services/energy/EnergyReportSource.hpp"

#include <filesystem>

namespace zentrel::services {

class PowercapEnergyReportSource final : public EnergyReportSource {
public:
    explicit PowercapEnergyReportSource(std::filesystem::path sysfsRoot = "/sys");

    [[nodiscard]] std::optional<std::vector<EnergyChannel>> copyChannels(std::string_view group) override;
    [[nodiscard]] bool subscribe(const std::vector<EnergyChannel>& channels) override;
    [[nodiscard]] std::optional<EnergySample> createSample() override;
    [[nodiscard]] std::optional<std::vector<EnergyChannel>> createDelta(const EnergySample& earlier,
                                                                        const EnergySample& later) override;

private:
    enum class ZoneKind { package, core, uncore, dram };
    struct Zone {
        std::string folder;  // e.g. ".../intel-rapl:0:1"
        ZoneKind kind;
        int package;
        std::uint64_t range;  // counter values run from 0 to range
    };

    void discoverZones();
    [[nodiscard]] std::optional<std::uint64_t> spentBetween(const Zone& zone, std::int64_t earlier,
                                                            std::int64_t later) const;

    std::filesystem::path powercapFolder_;
    std::vector<Zone> zones_;
};

}  // namespace zentrel::services
