#pragma once
// Groups pictures and videos that look alike although their bytes differ (a
// resaved or recompressed copy, or one resized to no less than 82 % of the
// other's sides). Files gather into clusters in which every pair matches.

#include "scanners/DuplicateScanner.hpp"

namespace zentrel::scanners {

class SimilarMediaPass final : public SimilarMediaFinder {
public:
    // Only the limit of the hash distance and of the side ratio are read.
    explicit SimilarMediaPass(DuplicateScanner::ScanOptions options) : options_(std::move(options)) {}

    [[nodiscard]] std::vector<model::DuplicateGroup> findSimilarMedia(const std::vector<ScanCandidate>& media) override;

    // Whether two fingerprinted files match, the first deciding rule winning.
    [[nodiscard]] bool isSimilarMedia(const HashedCandidate& a, const HashedCandidate& b) const;

    // Files that look alike but differ in size by less than this share are kept apart.
    static constexpr double kSizeRatioLimit = 0.98;

private:
    DuplicateScanner::ScanOptions options_;
};

}  // namespace zentrel::scanners
