#pragma once
// Finds duplicate files in the user's own folders: a walk collects files of
// at least a minimum size, the exact pass groups non-media files of one size
// and one content digest, and the similar-media pass groups pictures and
// videos. Every group has one keeper; the groups that free the most come
// first. It deletes and writes nothing. Synchronous: the engine runs it on its
// serial executor.

#include "model/DuplicateGroup.hpp"
#include "platform/Date.hpp"
#include "platform/FileSystem.hpp"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zentrel::scanners {

struct ScanCandidate {
    std::string path;
    std::int64_t sizeBytes = 0;
    std::optional<platform::Date> modifiedAt;
    bool isMedia = false;
    // Other names of the file lie outside the candidates: removing this one frees nothing.
    bool hasOtherLinks = false;

    bool operator==(const ScanCandidate&) const = default;
};

// One file after a pass fingerprinted it.
struct HashedCandidate {
    std::string path;
    std::int64_t sizeBytes = 0;
    std::optional<platform::Date> modifiedAt;
    std::optional<int> pixelWidth;
    std::optional<int> pixelHeight;
    std::uint64_t perceptualHash = 0;
    std::uint64_t perceptualHashSecondary = 0;
    std::string structuralDigest;
    model::DuplicateKind kind = model::DuplicateKind::documentHash;
    bool hasOtherLinks = false;
};

// The pass that groups similar pictures and videos.
class SimilarMediaFinder {
public:
    virtual ~SimilarMediaFinder() = default;
    [[nodiscard]] virtual std::vector<model::DuplicateGroup> findSimilarMedia(
        const std::vector<ScanCandidate>& media) = 0;
};

class DuplicateScanner final {
public:
    struct ScanOptions {
        std::int64_t minFileBytes = 100'000;
        std::size_t maxCandidates = 5000;
        std::size_t maxPerSizeBucket = 12;
        int pHashHammingThreshold = 8;
        double pHashMinDimensionRatio = 0.82;
        // None or empty: Pictures, Documents, Downloads and Desktop of the home folder.
        std::optional<std::vector<std::string>> scanRoots;
    };

    // Without a similar-media finder, pictures and videos form no groups.
    DuplicateScanner(ScanOptions options, const platform::FileSystem& fileSystem, std::string home,
                     SimilarMediaFinder* similarMedia = nullptr);

    [[nodiscard]] const ScanOptions& options() const { return options_; }

    [[nodiscard]] std::vector<model::DuplicateGroup> scan();
    // The candidates in walk order.
    [[nodiscard]] std::vector<ScanCandidate> collectCandidates() const;
    // Groups of kind documentHash, in no defined order.
    [[nodiscard]] std::vector<model::DuplicateGroup> findExactDuplicates(const std::vector<ScanCandidate>& candidates) const;

    [[nodiscard]] static std::map<std::int64_t, std::vector<ScanCandidate>> bucketBySize(
        const std::vector<ScanCandidate>& candidates);
    // None for an empty list.
    [[nodiscard]] static std::optional<model::DuplicateGroup> makeGroup(const std::vector<HashedCandidate>& members,
                                                                        model::DuplicateKind kind);
    // Larger reclaimable bytes first; equal ones keep their order.
    static void sortByReclaimableBytes(std::vector<model::DuplicateGroup>& groups);
    // The bytes that removing every member but the keeper frees.
    [[nodiscard]] static std::int64_t reclaimableBytes(const model::DuplicateGroup& group);

private:
    [[nodiscard]] std::vector<std::string> roots() const;
    // The members split by whole-file digest where their digest was sampled;
    // only sets of at least two remain.
    [[nodiscard]] static std::vector<std::vector<HashedCandidate>> confirmedByWholeContent(
        const std::vector<HashedCandidate>& members);

    ScanOptions options_;
    const platform::FileSystem& fileSystem_;
    std::string home_;
    SimilarMediaFinder* similarMedia_;
};

}  // namespace zentrel::scanners
