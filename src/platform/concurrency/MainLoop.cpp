#include "platform/concurrency/MainLoop.hpp"

#include <algorithm>

namespace zentrel::platform {

void MainLoop::post(Job job) {
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(job));
    }
    wake_.notify_one();
}

Timer MainLoop::scheduleOnce(Duration delay, Job job) { return schedule(delay, Duration::zero(), std::move(job)); }

Timer MainLoop::scheduleRepeating(Duration interval, Job job) { return schedule(interval, interval, std::move(job)); }

Timer MainLoop::schedule(Duration delay, Duration interval, Job job) {
    auto state = std::make_shared<Timer::State>();
    {
        std::lock_guard lock(mutex_);
        timers_.push_back({std::chrono::steady_clock::now() + delay, interval, state,
                           std::make_shared<Job>(std::move(job))});
    }
    wake_.notify_one();
    return Timer(state);
}

void MainLoop::run() {
    runUntil([] { return false; });
}

void MainLoop::runUntil(const std::function<bool()>& done) {
    if (done()) return;
    std::unique_lock lock(mutex_);
    quitRequested_ = false;
    while (!quitRequested_) {
        if (runOne(lock)) {
            lock.unlock();
            bool finished = done();
            lock.lock();
            if (finished) break;
        }
    }
}

void MainLoop::quit() {
    {
        std::lock_guard lock(mutex_);
        quitRequested_ = true;
    }
    wake_.notify_one();
}

// Runs one posted job or one due timer, or waits for either. Returns whether
// it ran something. Called and returns with the lock held.
bool MainLoop::runOne(std::unique_lock<std::mutex>& lock) {
    std::erase_if(timers_, [](const ScheduledTimer& t) { return t.state->cancelled; });
    if (!jobs_.empty()) {
        Job job = std::move(jobs_.front());
        jobs_.pop_front();
        lock.unlock();
        job();
        lock.lock();
        return true;
    }
    auto next = std::min_element(timers_.begin(), timers_.end(),
                                 [](const auto& a, const auto& b) { return a.due < b.due; });
    auto now = std::chrono::steady_clock::now();
    if (next != timers_.end() && next->due <= now) {
        auto job = next->job;
        auto state = next->state;
        if (next->interval > Duration::zero()) {
            next->due += next->interval;
        } else {
            timers_.erase(next);
        }
        lock.unlock();
        if (!state->cancelled) (*job)();
        lock.lock();
        return true;
    }
    if (next != timers_.end()) {
        wake_.wait_until(lock, next->due);
    } else {
        wake_.wait(lock, [this] { return quitRequested_ || !jobs_.empty() || !timers_.empty(); });
    }
    return false;
}

}  // namespace zentrel::platform
