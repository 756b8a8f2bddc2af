#include "platform/input/TapEventQueue.hpp"

#include <algorithm>
#include <utility>

namespace zentrel::platform {

TapEventQueue::TapEventQueue(MainQueue& main, KeyboardEventTap::Handler handler)
    : main_(main), shared_(std::make_shared<Shared>()) {
    shared_->handler = std::move(handler);
}

TapEventQueue::~TapEventQueue() { stop(); }

void TapEventQueue::stop() {
    const std::lock_guard guard(shared_->mutex);
    shared_->live = false;
    shared_->waiting.clear();
}

void TapEventQueue::push(TapEvent event) {
    {
        const std::lock_guard guard(shared_->mutex);
        if (!shared_->live) return;
        shared_->waiting.push_back(std::move(event));
        // One drain at a time takes everything that waits when it runs.
        if (std::exchange(shared_->drainPosted, true)) return;
    }
    main_.post([shared = shared_] { shared->drain(); });
}

void TapEventQueue::Shared::drain() {
    std::deque<TapEvent> batch;
    {
        const std::lock_guard guard(mutex);
        drainPosted = false;
        batch.swap(waiting);
    }
    while (!batch.empty()) {
        TapEvent event = std::move(batch.front());
        batch.pop_front();
        event.followedByMoreEvents = std::any_of(batch.begin(), batch.end(), [](const TapEvent& behind) {
            return behind.type != TapEventType::postedKeyArrived;
        });
        {
            const std::lock_guard guard(mutex);
            if (!live) return;
        }
        (void)handler(event, true);
    }
}

}  // namespace zentrel::platform
