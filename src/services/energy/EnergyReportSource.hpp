#pragma once
// The machine's energy counters, behind a seam in the shape of an energy
// report: named channels in groups, each with a unit and an integer value.
// A source lists the channels of a group, subscribes to them, takes samples
// and gives the energy spent between two samples. PowercapEnergyReportSource
// reads the RAPL counters of Linux; where a machine has none, the source has
// no channels and the app runs without power readings.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zentrel::services {

// The group whose channels make up the package power.
inline constexpr std::string_view kEnergyModelGroup = "Energy Model";

struct EnergyChannel {
    std::string group;
    std::string name;
    std::string unit;  // "mJ", "uJ" or "nJ"
    std::int64_t value = 0;

    bool operator==(const EnergyChannel&) const = default;
};

// The raw counters of one sample.
using EnergySample = std::vector<EnergyChannel>;

class EnergyReportSource {
public:
    virtual ~EnergyReportSource() = default;

    // nullopt when the group does not exist.
    [[nodiscard]] virtual std::optional<std::vector<EnergyChannel>> copyChannels(std::string_view group) = 0;
    // false when the counters of these channels cannot be read.
    [[nodiscard]] virtual bool subscribe(const std::vector<EnergyChannel>& channels) = 0;
    [[nodiscard]] virtual std::optional<EnergySample> createSample() = 0;
    // Per channel, the energy spent between the samples, in the channel's unit.
    [[nodiscard]] virtual std::optional<std::vector<EnergyChannel>> createDelta(const EnergySample& earlier,
                                                                                const EnergySample& later) = 0;
};

}  // namespace zentrel::services
