#pragma once
// The menu bar's heavy applications: the energy ranking without the frontmost
// application and this program, and quitting them.

#include "platform/text/Date.hpp"
#include "services/processes/BoostProcess.hpp"
#include "services/processes/ProcessSampler.hpp"

#include <vector>

namespace zentrel::services {

// At most `limit` rows, from a ranking of at least 10.
[[nodiscard]] std::vector<BoostProcess> topProcesses(const ProcessSampler& sampler, const ProcessMap& previousSamples,
                                                     platform::Date since, std::size_t limit);

// Ranks again and asks the rows to quit, never forced; returns how many
// requests were delivered. Where the user confirmed a list, quit that list
// with ProcessSampler::quitProcesses instead: a new ranking may differ.
int quitTopProcesses(ProcessSampler& sampler, const ProcessMap& previousSamples, platform::Date since,
                     std::size_t limit);

}  // namespace zentrel::services
