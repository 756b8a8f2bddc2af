#include "typing/integration/AccessibilityWorker.hpp"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace zentrel::typing {

struct AccessibilityWorker::Shared {
    explicit Shared(platform::MainQueue& queue) : main(queue) {}

    platform::MainQueue& main;
    std::mutex mutex;
    std::condition_variable wake;
    std::vector<Handler> waiting;
    std::deque<std::pair<std::string, std::string>> writes;
    bool stopping = false;
    std::atomic<bool> writable = false;  // the bus answered

    // The thread's loop: writes first, then one capture for every question waiting.
    static void run(const std::shared_ptr<Shared>& shared, const ReachCheck& busReachable,
                    const ElementsFactory& makeElements) {
        const bool reachable = busReachable();
        shared->writable = reachable;
        const auto elements = makeElements(reachable);
        const IMEContextDetector detector(*elements);
        AccessibilityTextWriter writer(*elements);
        std::unique_lock lock(shared->mutex);
        while (true) {
            shared->wake.wait(lock, [&] { return shared->stopping || !shared->writes.empty() || !shared->waiting.empty(); });
            if (shared->stopping) return;
            if (!shared->writes.empty()) {
                const auto [displayed, target] = std::move(shared->writes.front());
                shared->writes.pop_front();
                lock.unlock();
                (void)writer.replaceFocusedValue(displayed, target);
                lock.lock();
                continue;
            }
            auto handlers = std::exchange(shared->waiting, {});
            lock.unlock();
            const auto context = detector.capture();
            lock.lock();
            // Posted under the lock: once the owner is gone, nothing is posted any more.
            if (shared->stopping) return;
            for (auto& handler : handlers) shared->main.post([handler = std::move(handler), context] { handler(context); });
        }
    }
};

AccessibilityWorker::AccessibilityWorker(platform::MainQueue& main, ReachCheck busReachable, ElementsFactory makeElements)
    : shared_(std::make_shared<Shared>(main)) {
    // Detached: a question the bus never answers must not hold up the program's exit.
    std::thread([shared = shared_, busReachable = std::move(busReachable), makeElements = std::move(makeElements)] {
        Shared::run(shared, busReachable, makeElements);
    }).detach();
}

AccessibilityWorker::~AccessibilityWorker() {
    {
        const std::lock_guard lock(shared_->mutex);
        shared_->stopping = true;
    }
    shared_->wake.notify_one();
}

void AccessibilityWorker::capture(Handler done) {
    {
        const std::lock_guard lock(shared_->mutex);
        shared_->waiting.push_back(std::move(done));
    }
    shared_->wake.notify_one();
}

bool AccessibilityWorker::replaceFocusedValue(const std::string& displayed, const std::string& target) {
    if (!shared_->writable) return false;
    {
        const std::lock_guard lock(shared_->mutex);
        shared_->writes.emplace_back(displayed, target);
    }
    shared_->wake.notify_one();
    return true;
}

}  // namespace zentrel::typing
