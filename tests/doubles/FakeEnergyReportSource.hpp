#pragma once
// An energy report source whose channels, samples and deltas the test sets.
// Each sample is numbered; the delta of two samples is what the test put
// under the later sample's number.

#include "services/energy/EnergyReportSource.hpp"

#include <map>

namespace zentrel::testing {

class FakeEnergyReportSource final : public services::EnergyReportSource {
public:
    [[nodiscard]] std::optional<std::vector<services::EnergyChannel>> copyChannels(std::string_view group) override {
        ++channelRequests;
        if (group != services::kEnergyModelGroup) return std::nullopt;
        return channels;
    }
    [[nodiscard]] bool subscribe(const std::vector<services::EnergyChannel>&) override { return subscribable; }
    [[nodiscard]] std::optional<services::EnergySample> createSample() override {
        if (!sampling) return std::nullopt;
        ++samplesTaken;
        return services::EnergySample{{"", "sample", "", samplesTaken}};
    }
    [[nodiscard]] std::optional<std::vector<services::EnergyChannel>> createDelta(
        const services::EnergySample&, const services::EnergySample& later) override {
        auto found = deltas.find(later.at(0).value);
        if (found == deltas.end()) return std::nullopt;
        return found->second;
    }

    std::optional<std::vector<services::EnergyChannel>> channels = std::vector<services::EnergyChannel>{};
    bool subscribable = true;
    bool sampling = true;
    std::int64_t samplesTaken = 0;
    int channelRequests = 0;
    // The delta ending at sample N.
    std::map<std::int64_t, std::vector<services::EnergyChannel>> deltas;
};

}  // namespace zentrel::testing
