#pragma once
// Fingerprints pictures and videos on the task pool as the walk hands them
// in, so decoding overlaps the walk and the exact pass. Whoever needs a
// fingerprint first computes it: one still waiting in the pool is computed
// on the thread that asks, one already being computed is waited for. A file
// of the same size and kind (picture or video) as one added before is first
// compared with it by its whole-file digest: an exact copy takes that file's
// fingerprint instead of being decoded again.
//
//   MediaFingerprintQueue queue(&pool);
//   for (const auto& file : found) queue.add(file.path, file.sizeBytes);
//   auto fingerprint = queue.take(found.front().path);

#include "platform/concurrency/Executor.hpp"
#include "scanners/duplicates/MediaFingerprintStore.hpp"
#include "scanners/media/PictureHash.hpp"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace zentrel::scanners {

// A picture's or video's fingerprint, chosen by the file's extension; none
// for other files and for files that cannot be decoded. With a store, a file
// unchanged since it was stored is not decoded again, and one decoded now is
// stored when it did not change meanwhile.
[[nodiscard]] std::optional<MediaFingerprint> mediaFileFingerprint(const std::string& path,
                                                                   MediaFingerprintStore* store = nullptr);
// The same, with `compute` standing for the decoding when the store does not know the file.
[[nodiscard]] std::optional<MediaFingerprint> mediaFileFingerprint(
    const std::string& path, MediaFingerprintStore* store,
    const std::function<std::optional<MediaFingerprint>()>& compute);

class MediaFingerprintQueue {
public:
    // Without a pool nothing starts early: take() computes.
    explicit MediaFingerprintQueue(platform::Executor* pool, MediaFingerprintStore* store = nullptr)
        : pool_(pool), store_(store) {}

    // Starts fingerprinting the file on the pool. From one thread, never
    // while take() runs.
    void add(const std::string& path, std::int64_t sizeBytes);
    // The file's fingerprint, computed now when nobody has started it. Safe
    // from several threads at once.
    [[nodiscard]] std::optional<MediaFingerprint> take(const std::string& path) const;
    // The whole-file digests computed to find copies, by path; none where a
    // file could not be read. Once every file was taken.
    [[nodiscard]] std::unordered_map<std::string, std::optional<std::string>> wholeDigests() const;
    // Forgets every file; jobs still queued on the pool find nothing to do.
    void clear() {
        slots_.clear();
        bySize_.clear();
    }

private:
    struct Slot;

    platform::Executor* pool_;
    MediaFingerprintStore* store_;
    std::unordered_map<std::string, std::shared_ptr<Slot>> slots_;
    // The files added so far by size, pictures apart from videos, in the order they came.
    std::map<std::pair<std::int64_t, bool>, std::vector<std::shared_ptr<Slot>>> bySize_;
};

}  // namespace zentrel::scanners
