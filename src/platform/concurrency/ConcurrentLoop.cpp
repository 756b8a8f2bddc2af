#include "platform/concurrency/ConcurrentLoop.hpp"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace zentrel::platform {

namespace {

struct LoopState {
    explicit LoopState(std::size_t count, const std::function<void(std::size_t)>& body) : count(count), body(body) {}

    // Takes indices until none is left; true when this call finished the last one.
    bool work() {
        bool finishedLast = false;
        for (std::size_t index = next.fetch_add(1); index < count; index = next.fetch_add(1)) {
            body(index);
            if (done.fetch_add(1) + 1 == count) finishedLast = true;
        }
        return finishedLast;
    }

    const std::size_t count;
    // Valid until every index is done; a late helper never reaches it.
    const std::function<void(std::size_t)>& body;
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> done{0};
    std::mutex mutex;
    std::condition_variable finished;
};

}  // namespace

void forEachConcurrently(Executor* pool, std::size_t count, const std::function<void(std::size_t)>& body,
                         unsigned width) {
    if (count == 0) return;
    if (width == 0) width = std::max(1u, std::thread::hardware_concurrency());
    const auto helpers = pool == nullptr ? 0 : std::min<std::size_t>(width - 1, count - 1);
    auto state = std::make_shared<LoopState>(count, body);
    for (std::size_t i = 0; i < helpers; ++i) {
        pool->submit([state] {
            if (state->work()) {
                std::lock_guard lock(state->mutex);
                state->finished.notify_all();
            }
        });
    }
    state->work();
    std::unique_lock lock(state->mutex);
    state->finished.wait(lock, [&] { return state->done.load() == count; });
}

}  // namespace zentrel::platform
