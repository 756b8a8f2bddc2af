#include "doubles/FakeClock.hpp"

#include <algorithm>

namespace zentrel::testing {

namespace {
double seconds(platform::Duration d) { return std::chrono::duration<double>(d).count(); }
}  // namespace

platform::Timer FakeClock::scheduleOnce(platform::Duration delay, platform::Job job) {
    return add(delay, platform::Duration::zero(), std::move(job));
}

platform::Timer FakeClock::scheduleRepeating(platform::Duration interval, platform::Job job) {
    return add(interval, interval, std::move(job));
}

platform::Timer FakeClock::add(platform::Duration delay, platform::Duration interval, platform::Job job) {
    auto state = std::make_shared<platform::Timer::State>();
    timers_.push_back({elapsed_ + delay, interval, state,
                       std::make_shared<platform::Job>(std::move(job))});
    return platform::Timer(state);
}

void FakeClock::advance(platform::Duration by) {
    const platform::Duration end = elapsed_ + by;
    for (;;) {
        std::erase_if(timers_, [](const Entry& e) { return e.state->cancelled; });
        auto next = std::min_element(timers_.begin(), timers_.end(),
                                     [](const Entry& a, const Entry& b) { return a.due < b.due; });
        if (next == timers_.end() || next->due > end) break;
        moveTo(next->due);
        auto job = next->job;
        auto state = next->state;
        if (next->interval > platform::Duration::zero()) {
            next->due += next->interval;
        } else {
            timers_.erase(next);
        }
        if (!state->cancelled) (*job)();
    }
    moveTo(end);
}

void FakeClock::moveTo(platform::Duration elapsed) {
    now_ = now_.addingTimeInterval(seconds(elapsed - elapsed_));
    elapsed_ = elapsed;
}

std::size_t FakeClock::activeTimerCount() const {
    return static_cast<std::size_t>(
        std::count_if(timers_.begin(), timers_.end(), [](const Entry& e) { return !e.state->cancelled; }));
}

}  // namespace zentrel::testing
