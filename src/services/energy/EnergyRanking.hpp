#pragma once
// Ranks the running applications by an energy score: their CPU percent since
// the previous samples plus a share of the machine's memory (all of it counts
// 25). The energy sampler keeps the previous samples; the menu bar ranks its
// heavy apps with it.

#include "model/ProcessEnergyReading.hpp"
#include "platform/text/Date.hpp"
#include "services/processes/ProcessSampler.hpp"

#include <vector>

namespace zentrel::services {

// The applications other than this program, highest score first, at most
// `limit`. Without previous samples every application scores by memory only.
[[nodiscard]] std::vector<model::ProcessEnergyReading> topEnergyProcesses(const ProcessSampler& sampler,
                                                                          const ProcessMap& previousSamples,
                                                                          platform::Date since, std::size_t limit);

}  // namespace zentrel::services
