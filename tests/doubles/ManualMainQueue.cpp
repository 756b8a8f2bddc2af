#include "doubles/ManualMainQueue.hpp"

namespace zentrel::testing {

void ManualMainQueue::post(platform::Job job) {
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(job));
    }
    arrived_.notify_all();
}

std::size_t ManualMainQueue::drain() {
    std::size_t count = 0;
    for (;;) {
        platform::Job job;
        {
            std::lock_guard lock(mutex_);
            if (jobs_.empty()) return count;
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        job();
        ++count;
    }
}

bool ManualMainQueue::runUntil(const std::function<bool()>& done, std::chrono::seconds limit) {
    auto deadline = std::chrono::steady_clock::now() + limit;
    drain();
    while (!done()) {
        {
            std::unique_lock lock(mutex_);
            if (!arrived_.wait_until(lock, deadline, [this] { return !jobs_.empty(); })) return done();
        }
        drain();
    }
    return true;
}

std::size_t ManualMainQueue::pendingCount() const {
    std::lock_guard lock(mutex_);
    return jobs_.size();
}

}  // namespace zentrel::testing
