#pragma once
// Hands the events a tap observes on a thread of its own to the handler on
// the main thread, in order. Events that pile up while the main thread is
// busy go over together, and each tells whether more of the user's were
// already waiting behind it (`followedByMoreEvents`; our own keys' arrivals
// do not count): with keys already delivered, a fix made for it then would
// land in front of keys the window already has.
// `push` is thread-safe; after `stop` no handler runs any more, also for
// events already posted.

#include "platform/concurrency/Executor.hpp"
#include "platform/input/KeyboardEventTap.hpp"

#include <deque>
#include <memory>
#include <mutex>

namespace zentrel::platform {

class TapEventQueue final {
public:
    TapEventQueue(MainQueue& main, KeyboardEventTap::Handler handler);
    ~TapEventQueue();
    TapEventQueue(const TapEventQueue&) = delete;
    TapEventQueue& operator=(const TapEventQueue&) = delete;

    void push(TapEvent event);
    void stop();

private:
    struct Shared {
        KeyboardEventTap::Handler handler;
        std::mutex mutex;
        std::deque<TapEvent> waiting;
        bool drainPosted = false;
        bool live = true;
        void drain();
    };
    MainQueue& main_;
    std::shared_ptr<Shared> shared_;
};

}  // namespace zentrel::platform
