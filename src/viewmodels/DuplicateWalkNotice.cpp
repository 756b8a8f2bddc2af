#include "viewmodels/DuplicateWalkNotice.hpp"

#include "platform/text/ByteCountFormatter.hpp"
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

std::string cappedSizesNotice(const std::vector<scanners::CappedSizeGroup>& sizes) {
    constexpr std::size_t kNamed = 3;
    std::string notice;
    for (std::size_t i = 0; i < sizes.size() && i < kNamed; ++i) {
        if (!notice.empty()) notice += ' ';
        notice += platform::localizedFormat(N_COUNTED("%lld files of %@ share a size; %lld were compared."),
                                            {platform::formatCount(sizes[i].files),
                                             platform::formatByteCount(sizes[i].sizeBytes),
                                             platform::formatCount(sizes[i].compared)});
    }
    if (sizes.size() > kNamed) {
        std::size_t files = 0;
        std::size_t compared = 0;
        for (std::size_t i = kNamed; i < sizes.size(); ++i) {
            files += sizes[i].files;
            compared += sizes[i].compared;
        }
        notice += ' ';
        notice += platform::localizedFormat(
            N_COUNTED("%lld more files share %lld other sizes the same way; %lld of them were compared."),
            {platform::formatCount(files), platform::formatCount(sizes.size() - kNamed), platform::formatCount(compared)});
    }
    return notice;
}

std::optional<std::string> duplicateScanNotice(const std::optional<scanners::CandidateLimitStop>& stop,
                                               const std::vector<scanners::CappedSizeGroup>& sizes) {
    if (!stop && sizes.empty()) return std::nullopt;
    std::string notice = stop ? duplicateWalkNotice(*stop) : "";
    if (!sizes.empty()) notice += (notice.empty() ? "" : " ") + cappedSizesNotice(sizes);
    return notice;
}

std::string smallFilesNotice(std::int64_t minFileBytes) {
    return platform::localizedFormat("Files under %@ are not compared.", {platform::formatByteCount(minFileBytes)});
}

std::string picturesTooLargeNotice(std::size_t count) {
    return platform::localizedFormat("%lld pictures were too large to compare and were left out.",
                                     {platform::formatCount(count)});
}

}  // namespace zentrel::viewmodels
