#pragma once
// Questions for a service that may hang (the IBus daemon, the desktop's
// settings), asked on a worker so that the main thread never waits. The
// answer comes back on the main queue, or none (std::nullopt) once `limit`
// has passed without it: every question is answered exactly once. An answer
// that comes after the limit, and every answer once this object is gone, is
// dropped, and work not begun by then is skipped, so that it does not
// outlive what it uses. Questions on a serial worker run in the order they
// were asked.
// Main thread, except the work itself.
//
//   TimedAnswers ibus(serialQueue, main, timers, 3s);
//   ibus.ask<bool>([&status] { return status.isRunning(); },
//                  [this](std::optional<bool> running) { apply(running.value_or(false)); });

#include "platform/concurrency/Clock.hpp"
#include "platform/concurrency/Executor.hpp"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <utility>

namespace zentrel::platform {

class TimedAnswers final {
public:
    TimedAnswers(Executor& worker, MainQueue& main, TimerScheduler& timers, Duration limit)
        : worker_(worker), main_(main), timers_(timers), limit_(limit) {}
    TimedAnswers(const TimedAnswers&) = delete;
    TimedAnswers& operator=(const TimedAnswers&) = delete;

    template <class T>
    void ask(std::function<T()> work, std::function<void(std::optional<T>)> answer) {
        const auto question = ++state_->lastQuestion;
        auto deliver = [weak = std::weak_ptr<State>(state_), question, answer = std::move(answer)](std::optional<T> value) {
            const auto state = weak.lock();
            if (!state || state->waiting.erase(question) == 0) return;
            answer(std::move(value));
        };
        state_->waiting.emplace(question, timers_.scheduleOnce(limit_, [&main = main_, deliver] {
            main.post([deliver] { deliver(std::nullopt); });
        }));
        worker_.submit([&main = main_, weak = std::weak_ptr<State>(state_), work = std::move(work), deliver] {
            if (weak.expired()) return;
            auto value = work();
            main.post([deliver, value = std::move(value)] { deliver(value); });
        });
    }

    // Work whose outcome nobody waits for, in order with the questions.
    void tell(Job work) {
        worker_.submit([weak = std::weak_ptr<State>(state_), work = std::move(work)] {
            if (!weak.expired()) work();
        });
    }

private:
    struct State {
        std::uint64_t lastQuestion = 0;
        // The questions not answered yet, each with the timer of its limit.
        std::map<std::uint64_t, Timer> waiting;
    };

    Executor& worker_;
    MainQueue& main_;
    TimerScheduler& timers_;
    Duration limit_;
    std::shared_ptr<State> state_ = std::make_shared<State>();
};

}  // namespace zentrel::platform
