#pragma once
// Groups pictures and videos that look alike although their bytes differ (a
// resaved or recompressed copy, or one resized to no less than 82 % of the
// other's sides). Files gather into clusters in which every pair matches. A
// group whose members all hold the same bytes is a group of exact copies,
// also of files that cannot be decoded.

#include "scanners/duplicates/DuplicateScanner.hpp"
#include "scanners/duplicates/MediaFingerprintQueue.hpp"

#include <optional>
#include <string>
#include <unordered_map>

namespace zentrel::scanners {

class SimilarMediaPass final : public SimilarMediaFinder {
public:
    // Only the limit of the hash distance and of the side ratio are read.
    // Files are fingerprinted on the caller's thread and on `workers` (the
    // task pool), when given, from the moment the walk finds them; the
    // clusters keep the files' order. With a store, fingerprints kept from
    // earlier scans stand for files that did not change.
    explicit SimilarMediaPass(DuplicateScanner::ScanOptions options, platform::Executor* workers = nullptr,
                              MediaFingerprintStore* store = nullptr)
        : options_(std::move(options)), workers_(workers), fingerprints_(workers, store) {}

    void mediaFound(const ScanCandidate& candidate) override { fingerprints_.add(candidate.path, candidate.sizeBytes); }
    [[nodiscard]] std::vector<model::DuplicateGroup> findSimilarMedia(const std::vector<ScanCandidate>& media) override;
    [[nodiscard]] std::size_t picturesTooLarge() const override { return picturesTooLarge_; }

    // Whether two fingerprinted files match, the first deciding rule winning.
    [[nodiscard]] bool isSimilarMedia(const HashedCandidate& a, const HashedCandidate& b) const;

    // Files of one coding that look alike but differ in size by less than this share are kept apart.
    static constexpr double kSizeRatioLimit = 0.98;

private:
    // Byte-identical files match whatever they show; a sampled digest would
    // take files that differ in the middle for identical, so the whole
    // content is compared, each file read once per pass.
    [[nodiscard]] const std::optional<std::string>& wholeDigest(const std::string& path) const;
    // Digests, side by side, the files whose size another file shares.
    void digestFilesOfSharedSizes(const std::vector<HashedCandidate>& hashed);
    [[nodiscard]] bool allSameBytes(const std::vector<HashedCandidate>& members) const;
    // Groups of the files that hold the same bytes.
    [[nodiscard]] std::vector<model::DuplicateGroup> exactCopiesAmong(const std::vector<HashedCandidate>& files);

    DuplicateScanner::ScanOptions options_;
    platform::Executor* workers_;
    MediaFingerprintQueue fingerprints_;
    mutable std::unordered_map<std::string, std::optional<std::string>> wholeDigests_;
    std::size_t picturesTooLarge_ = 0;
};

}  // namespace zentrel::scanners
