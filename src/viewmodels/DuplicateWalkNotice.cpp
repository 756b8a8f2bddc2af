#include "viewmodels/DuplicateWalkNotice.hpp"

#include "platform/text/Localization.hpp"
#include "platform/text/NumberFormatter.hpp"

namespace zentrel::viewmodels {

std::string duplicateWalkNotice(const scanners::CandidateLimitStop& stop) {
    auto notice = platform::localizedFormat(
        "Stopped early: the limit of %lld files to compare was reached at %@; files from there on were not compared.",
        {platform::formatCount(stop.limit), stop.stoppedAt});
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
                                     {platform::formatCount(count)});
}

}  // namespace zentrel::viewmodels
