#pragma once
// Time behind a seam: the wall clock and timers that fire on the main thread.
// Tests use the fake clock of tests/doubles, which fires timers as the test
// advances it, so no test sleeps.

#include "platform/concurrency/Executor.hpp"
#include "platform/text/Date.hpp"

#include <chrono>
#include <memory>

namespace zentrel::platform {

using Duration = std::chrono::nanoseconds;

class Clock {
public:
    virtual ~Clock() = default;
    [[nodiscard]] virtual Date now() const = 0;
};

class SystemClock final : public Clock {
public:
    [[nodiscard]] Date now() const override;
    // The one instance the app uses outside tests.
    static SystemClock& shared();
};

// A scheduled timer. Destroying the handle or calling cancel() stops it; a
// cancelled timer never fires again.
class Timer {
public:
    struct State {
        bool cancelled = false;
    };

    Timer() = default;
    explicit Timer(std::shared_ptr<State> state) : state_(std::move(state)) {}
    Timer(Timer&&) noexcept = default;
    Timer& operator=(Timer&& other) noexcept {
        if (this != &other) {
            cancel();
            state_ = std::move(other.state_);
        }
        return *this;
    }
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    ~Timer() { cancel(); }

    void cancel() {
        if (state_) state_->cancelled = true;
        state_.reset();
    }
    [[nodiscard]] bool isActive() const { return state_ && !state_->cancelled; }

private:
    std::shared_ptr<State> state_;
};

// Schedules jobs on the main thread after a delay. Timers are created,
// cancelled and fired on the main thread only.
class TimerScheduler {
public:
    virtual ~TimerScheduler() = default;
    [[nodiscard]] virtual Timer scheduleOnce(Duration delay, Job job) = 0;
    // First fires one interval from now, then every interval.
    [[nodiscard]] virtual Timer scheduleRepeating(Duration interval, Job job) = 0;
};

}  // namespace zentrel::platform
