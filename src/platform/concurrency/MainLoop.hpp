#pragma once
// The main thread's loop for programs without a window (the command-line
// front and the input-method program): a queue of posted jobs and the timers,
// run on the thread that calls run(). The window's Qt loop is the other
// backend of the same two seams.

#include "platform/concurrency/Clock.hpp"
#include "platform/concurrency/Executor.hpp"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

namespace zentrel::platform {

class MainLoop final : public MainQueue, public TimerScheduler {
public:
    MainLoop() = default;
    MainLoop(const MainLoop&) = delete;
    MainLoop& operator=(const MainLoop&) = delete;

    void post(Job job) override;
    [[nodiscard]] Timer scheduleOnce(Duration delay, Job job) override;
    [[nodiscard]] Timer scheduleRepeating(Duration interval, Job job) override;

    // Runs posted jobs and due timers until quit() is called.
    void run();
    // Runs until `done` returns true (checked first, then after every job).
    void runUntil(const std::function<bool()>& done);
    // Thread-safe; the loop returns after the job it is running.
    void quit();

private:
    using SteadyTime = std::chrono::steady_clock::time_point;
    struct ScheduledTimer {
        SteadyTime due;
        Duration interval;  // zero for a one-shot timer
        std::shared_ptr<Timer::State> state;
        std::shared_ptr<Job> job;
    };
    Timer schedule(Duration delay, Duration interval, Job job);
    bool runOne(std::unique_lock<std::mutex>& lock);

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    std::vector<ScheduledTimer> timers_;
    bool quitRequested_ = false;
};

}  // namespace zentrel::platform
