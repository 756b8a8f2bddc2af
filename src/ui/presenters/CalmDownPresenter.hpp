#pragma once
// "Calm Down Hot Apps": up to three heavy background applications by the
// energy ranking, named in a question before anything quits. The
// candidates are fixed when the question opens; confirming quits exactly
// those, each only while its pid still names the process that was ranked
// (same name and start time), never a list ranked again afterwards.

#include "services/processes/BoostProcess.hpp"
#include "services/processes/ProcessSampler.hpp"

#include <string>
#include <vector>

namespace zentrel::ui {

struct CalmDownQuestion {
    std::vector<services::BoostProcess> candidates;
    std::string title;
    std::string message;
    // Empty when there is nothing to calm down: a notice with one button.
    std::string confirmLabel;
    std::string cancelLabel;

    [[nodiscard]] bool isNotice() const { return candidates.empty(); }
};

inline constexpr std::size_t kCalmDownLimit = 3;

[[nodiscard]] CalmDownQuestion calmDownQuestion(const services::ProcessSampler& sampler);
// Quits the question's candidates; returns how many quit requests were delivered.
int calmDown(services::ProcessSampler& sampler, const CalmDownQuestion& confirmed);

}  // namespace zentrel::ui
