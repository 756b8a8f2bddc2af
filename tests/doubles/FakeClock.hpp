#pragma once
// A clock that only moves when the test advances it, with timers that fire,
// in due order, during advance(). Timers count whole nanoseconds, so a timer
// due in 150 ms fires after advancing 149 ms and then 1 ms.

#include "platform/concurrency/Clock.hpp"

#include <vector>

namespace zentrel::testing {

class FakeClock final : public platform::Clock, public platform::TimerScheduler {
public:
    explicit FakeClock(platform::Date start = platform::Date::fromTimeIntervalSince1970(1'700'000'000.0))
        : now_(start) {}

    [[nodiscard]] platform::Date now() const override { return now_; }
    void setNow(platform::Date date) { now_ = date; }

    [[nodiscard]] platform::Timer scheduleOnce(platform::Duration delay, platform::Job job) override;
    [[nodiscard]] platform::Timer scheduleRepeating(platform::Duration interval, platform::Job job) override;

    // Moves time forward, firing every timer that falls due on the way.
    void advance(platform::Duration by);
    [[nodiscard]] std::size_t activeTimerCount() const;

private:
    struct Entry {
        platform::Duration due;       // since the clock was made
        platform::Duration interval;  // zero for one-shot
        std::shared_ptr<platform::Timer::State> state;
        std::shared_ptr<platform::Job> job;
    };
    platform::Timer add(platform::Duration delay, platform::Duration interval, platform::Job job);
    void moveTo(platform::Duration elapsed);

    platform::Date now_;
    platform::Duration elapsed_{0};
    std::vector<Entry> timers_;
};

}  // namespace zentrel::testing
