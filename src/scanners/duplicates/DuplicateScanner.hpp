#pragma once
// Finds duplicate files in the user's own folders: a walk collects files of
// at least a minimum size, the exact pass groups non-media files of one size
// and one content digest, and the similar-media pass groups pictures and
// videos. Every group has one keeper; the groups that free the most come
// first. It deletes and writes nothing. Synchronous: the engine runs it on its
// serial executor.

#include "model/DuplicateGroup.hpp"
#include "platform/concurrency/Executor.hpp"
#include "platform/files/FileSystem.hpp"
#include "platform/text/Date.hpp"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
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

// Where the walk stopped because it held as many candidates as allowed.
struct CandidateLimitStop {
    std::size_t limit = 0;
    // The first entry the walk did not take.
    std::string stoppedAt;
    // The roots after the one it stopped in, never walked.
    std::vector<std::string> rootsNotReached;

    bool operator==(const CandidateLimitStop&) const = default;
};

// A size shared by more files than the exact pass compares: only the first
// `compared` of them, in walk order, were hashed.
struct CappedSizeGroup {
    std::int64_t sizeBytes = 0;
    std::size_t files = 0;
    std::size_t compared = 0;

    bool operator==(const CappedSizeGroup&) const = default;
};

struct DuplicateScanResult {
    // Larger reclaimable bytes first.
    std::vector<model::DuplicateGroup> groups;
    // Present when the candidate limit ended the walk early: files past it were never compared.
    std::optional<CandidateLimitStop> candidateLimit;
    // The sizes whose files were not all compared, smallest first.
    std::vector<CappedSizeGroup> cappedSizes;
    // Pictures left out for their size (over the pixel limit or the decoding memory budget).
    std::size_t picturesTooLarge = 0;
};

// The pass that groups similar pictures and videos.
class SimilarMediaFinder {
public:
    virtual ~SimilarMediaFinder() = default;
    // The walk hands over each picture or video as it finds it, so work on
    // it may start before the walk ends.
    virtual void mediaFound(const ScanCandidate&) {}
    [[nodiscard]] virtual std::vector<model::DuplicateGroup> findSimilarMedia(
        const std::vector<ScanCandidate>& media) = 0;
    // The pictures the last pass left out for their size.
    [[nodiscard]] virtual std::size_t picturesTooLarge() const { return 0; }
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
    // Files are hashed on the caller's thread and on `workers` (the task
    // pool), when given, one file per job.
    DuplicateScanner(ScanOptions options, const platform::FileSystem& fileSystem, std::string home,
                     SimilarMediaFinder* similarMedia = nullptr, platform::Executor* workers = nullptr);

    [[nodiscard]] const ScanOptions& options() const { return options_; }

    [[nodiscard]] DuplicateScanResult scan();
    // The candidates in walk order; `stop` learns where the candidate limit ended the walk.
    [[nodiscard]] std::vector<ScanCandidate> collectCandidates(std::optional<CandidateLimitStop>* stop = nullptr,
                                                               SimilarMediaFinder* announceMediaTo = nullptr) const;
    // Groups of kind documentHash, in no defined order; `capped` learns the
    // sizes of which more files were found than `maxPerSizeBucket`.
    [[nodiscard]] std::vector<model::DuplicateGroup> findExactDuplicates(
        const std::vector<ScanCandidate>& candidates, std::vector<CappedSizeGroup>* capped = nullptr) const;

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
        const std::vector<HashedCandidate>& members,
        const std::unordered_map<std::string, std::optional<std::string>>& wholeDigests);
    // The files whose size and first 4 KiB another file shares: no other can have a partner.
    [[nodiscard]] std::vector<const ScanCandidate*> withSharedHeads(const std::vector<const ScanCandidate*>& files) const;
    // The whole-file digests of the files that share a sampled digest with another, by path.
    [[nodiscard]] std::unordered_map<std::string, std::optional<std::string>> wholeDigestsOfSampledSets(
        const std::map<std::string, std::vector<HashedCandidate>>& byDigest) const;

    ScanOptions options_;
    const platform::FileSystem& fileSystem_;
    std::string home_;
    SimilarMediaFinder* similarMedia_;
    platform::Executor* workers_;
};

}  // namespace zentrel::scanners
