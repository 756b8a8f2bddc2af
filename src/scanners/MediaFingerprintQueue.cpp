#include "scanners/MediaFingerprintQueue.hpp"

#include "scanners/MediaExtensions.hpp"

#include <sys/stat.h>

#include <atomic>

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
    const auto compute = [&] { return image ? imageFingerprint(path) : videoFingerprint(path); };
    const auto before = store ? keyOf(path) : std::nullopt;
    if (!before) return compute();
    if (auto known = store->find(*before)) return *known;
    const auto started = store->now();
    auto fingerprint = compute();
    // A file changed while it was read keeps no entry: its next key differs anyway.
    if (keyOf(path) == before) store->remember(*before, fingerprint, started);
    return fingerprint;
}

struct MediaFingerprintQueue::Slot {
    enum State : int { waiting, running, done };

    Slot(std::string file, MediaFingerprintStore* fingerprintStore) : path(std::move(file)), store(fingerprintStore) {}

    // Computes the fingerprint unless another thread has started it.
    void runIfWaiting() {
        int expected = waiting;
        if (!state.compare_exchange_strong(expected, running)) return;
        try {
            fingerprint = mediaFileFingerprint(path, store);
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

    const std::string path;
    MediaFingerprintStore* const store;
    std::atomic<int> state{waiting};
    std::optional<MediaFingerprint> fingerprint;
};

void MediaFingerprintQueue::add(const std::string& path) {
    if (!pool_ || slots_.contains(path)) return;
    auto slot = std::make_shared<Slot>(path, store_);
    slots_.emplace(path, slot);
    pool_->submit([slot] { slot->runIfWaiting(); });
}

std::optional<MediaFingerprint> MediaFingerprintQueue::take(const std::string& path) const {
    const auto found = slots_.find(path);
    return found == slots_.end() ? mediaFileFingerprint(path, store_) : found->second->result();
}

}  // namespace zentrel::scanners
