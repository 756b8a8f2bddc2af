#include "scanners/duplicates/MediaFingerprintQueue.hpp"

#include "scanners/duplicates/FileHashing.hpp"
#include "scanners/media/MediaExtensions.hpp"

#include <sys/stat.h>

#include <atomic>
#include <mutex>

namespace zentrel::scanners {

namespace {

std::optional<MediaFileKey> keyOf(const std::string& path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
    return MediaFileKey::of(status);
}

}  // namespace

std::optional<MediaFingerprint> mediaFileFingerprint(const std::string& path, MediaFingerprintStore* store) {
    const auto extension = lowercasedPathExtension(path);
    const bool image = imageExtensions().contains(extension);
    if (!image && !videoExtensions().contains(extension)) return std::nullopt;
    return mediaFileFingerprint(path, store, [&] { return image ? imageFingerprint(path) : videoFingerprint(path); });
}

std::optional<MediaFingerprint> mediaFileFingerprint(const std::string& path, MediaFingerprintStore* store,
                                                     const std::function<std::optional<MediaFingerprint>()>& compute) {
    const auto before = store ? keyOf(path) : std::nullopt;
    if (!before || !store->trustsKeysOn(before->device)) return compute();
    if (auto known = store->find(*before)) return *known;
    const auto started = store->now();
    auto fingerprint = compute();
    // A file changed while it was read keeps no entry: its next key differs anyway.
    if (keyOf(path) == before) store->remember(*before, fingerprint, started);
    return fingerprint;
}

struct MediaFingerprintQueue::Slot {
    enum State : int { waiting, running, done };

    Slot(std::string file, MediaFingerprintStore* fingerprintStore, std::vector<std::shared_ptr<Slot>> sameSize)
        : path(std::move(file)), store(fingerprintStore), earlierOfSameSize(std::move(sameSize)) {}

    // Computes the fingerprint unless another thread has started it.
    void runIfWaiting() {
        int expected = waiting;
        if (!state.compare_exchange_strong(expected, running)) return;
        try {
            fingerprint = mediaFileFingerprint(path, store, [this] { return copiedOrDecoded(); });
        } catch (...) {
            // A file that breaks its decoder has no fingerprint; nobody may wait for ever.
        }
        state.store(done, std::memory_order_release);
        state.notify_all();
    }

    std::optional<MediaFingerprint> result() {
        runIfWaiting();
        for (int seen = state.load(std::memory_order_acquire); seen != done;
             seen = state.load(std::memory_order_acquire)) {
            state.wait(seen);
        }
        return fingerprint;
    }

    // The digest of the whole file, computed once by whoever asks first.
    const std::optional<std::string>& digest() {
        std::call_once(digestOnce, [this] {
            wholeDigest = sha256OfFile(path);
            digestComputed.store(true, std::memory_order_release);
        });
        return wholeDigest;
    }

    const std::string path;
    MediaFingerprintStore* const store;
    // Only earlier files: a file never waits for one added after it.
    const std::vector<std::shared_ptr<Slot>> earlierOfSameSize;
    std::atomic<int> state{waiting};
    std::optional<MediaFingerprint> fingerprint;
    std::once_flag digestOnce;
    std::optional<std::string> wholeDigest;
    std::atomic<bool> digestComputed{false};

private:
    // An exact copy of an earlier file has its fingerprint: the same bytes decode the same.
    std::optional<MediaFingerprint> copiedOrDecoded() {
        if (!earlierOfSameSize.empty()) {
            if (const auto& mine = digest()) {
                for (const auto& earlier : earlierOfSameSize)
                    if (earlier->digest() == mine) return earlier->result();
            }
        }
        return mediaFileFingerprint(path);
    }
};

void MediaFingerprintQueue::add(const std::string& path, std::int64_t sizeBytes) {
    if (!pool_ || slots_.contains(path)) return;
    // The same bytes give the same fingerprint only through the same decoder.
    const bool picture = imageExtensions().contains(lowercasedPathExtension(path));
    auto& sameSize = bySize_[{sizeBytes, picture}];
    auto slot = std::make_shared<Slot>(path, store_, sameSize);
    sameSize.push_back(slot);
    slots_.emplace(path, slot);
    pool_->submit([slot] { slot->runIfWaiting(); });
}

std::optional<MediaFingerprint> MediaFingerprintQueue::take(const std::string& path) const {
    const auto found = slots_.find(path);
    return found == slots_.end() ? mediaFileFingerprint(path, store_) : found->second->result();
}

std::unordered_map<std::string, std::optional<std::string>> MediaFingerprintQueue::wholeDigests() const {
    std::unordered_map<std::string, std::optional<std::string>> digests;
    for (const auto& [path, slot] : slots_)
        if (slot->digestComputed.load(std::memory_order_acquire)) digests.emplace(path, slot->wholeDigest);
    return digests;
}

}  // namespace zentrel::scanners
