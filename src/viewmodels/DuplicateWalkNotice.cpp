#include "viewmodels/DuplicateWalkNotice.hpp"

#include "platform/Localization.hpp"

namespace zentrel::viewmodels {

std::string duplicateWalkNotice(const scanners::CandidateLimitStop& stop) {
    auto notice = platform::localizedFormat(
        "Stopped early: the limit of %lld files to compare was reached at %@; files from there on were not compared.",
        {std::to_string(stop.limit), stop.stoppedAt});
    if (!stop.rootsNotReached.empty()) {
        std::string roots;
        for (const auto& root : stop.rootsNotReached) {
            if (!roots.empty()) roots += ", ";
            roots += root;
        }
        notice += ' ';
        notice += platform::localizedFormat("Not reached: %@.", {roots});
    }
    return notice;
}

std::string picturesTooLargeNotice(std::size_t count) {
    return platform::localizedFormat("%lld pictures were too large to compare and were left out.",
                                     {std::to_string(count)});
}

}  // namespace zentrel::viewmodels
