#include "scanners/MediaFingerprintQueue.hpp"

#include "scanners/MediaExtensions.hpp"

#include <atomic>

namespace zentrel::scanners {

std::optional<MediaFingerprint> mediaFileFingerprint(const std::string& path) {
    const auto extension = lowercasedPathExtension(path);
    if (imageExtensions().contains(extension)) return imageFingerprint(path);
    if (videoExtensions().contains(extension)) return videoFingerprint(path);
    return std::nullopt;
}

struct MediaFingerprintQueue::Slot {
    enum State : int { waiting, running, done };

    explicit Slot(std::string file) : path(std::move(file)) {}

    // Computes the fingerprint unless another thread has started it.
    void runIfWaiting() {
        int expected = waiting;
        if (!state.compare_exchange_strong(expected, running)) return;
        try {
            fingerprint = mediaFileFingerprint(path);
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
    std::atomic<int> state{waiting};
    std::optional<MediaFingerprint> fingerprint;
};

void MediaFingerprintQueue::add(const std::string& path) {
    if (!pool_ || slots_.contains(path)) return;
    auto slot = std::make_shared<Slot>(path);
    slots_.emplace(path, slot);
    pool_->submit([slot] { slot->runIfWaiting(); });
}

std::optional<MediaFingerprint> MediaFingerprintQueue::take(const std::string& path) const {
    const auto found = slots_.find(path);
    return found == slots_.end() ? mediaFileFingerprint(path) : found->second->result();
}

}  // namespace zentrel::scanners
