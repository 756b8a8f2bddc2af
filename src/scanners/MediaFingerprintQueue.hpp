#pragma once
// Fingerprints pictures and videos on the task pool as the walk hands them
// in, so decoding overlaps the walk and the exact pass. Whoever needs a
// fingerprint first computes it: one still waiting in the pool is computed
// on the thread that asks, one already being computed is waited for.
//
//   MediaFingerprintQueue queue(&pool);
//   for (const auto& path : found) queue.add(path);
//   auto fingerprint = queue.take(found.front());

#include "platform/Executor.hpp"
#include "scanners/MediaFingerprintStore.hpp"
#include "scanners/PictureHash.hpp"

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

namespace zentrel::scanners {

// A picture's or video's fingerprint, chosen by the file's extension; none
// for other files and for files that cannot be decoded. With a store, a file
// unchanged since it was stored is not decoded again, and one decoded now is
// stored when it did not change meanwhile.
[[nodiscard]] std::optional<MediaFingerprint> mediaFileFingerprint(const std::string& path,
                                                                   MediaFingerprintStore* store = nullptr);

class MediaFingerprintQueue {
public:
    // Without a pool nothing starts early: take() computes.
    explicit MediaFingerprintQueue(platform::Executor* pool, MediaFingerprintStore* store = nullptr)
        : pool_(pool), store_(store) {}

    // Starts fingerprinting the file on the pool. From one thread, never
    // while take() runs.
    void add(const std::string& path);
    // The file's fingerprint, computed now when nobody has started it. Safe
    // from several threads at once.
    [[nodiscard]] std::optional<MediaFingerprint> take(const std::string& path) const;
    // Forgets every file; jobs still queued on the pool find nothing to do.
    void clear() { slots_.clear(); }

private:
    struct Slot;

    platform::Executor* pool_;
    MediaFingerprintStore* store_;
    std::unordered_map<std::string, std::shared_ptr<Slot>> slots_;
};

}  // namespace zentrel::scanners
