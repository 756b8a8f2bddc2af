#include "doubles/ManualExecutor.hpp"

namespace zentrel::testing {

void ManualExecutor::submit(platform::Job job) {
    std::lock_guard lock(mutex_);
    jobs_.push_back(std::move(job));
}

bool ManualExecutor::runOne() {
    platform::Job job;
    {
        std::lock_guard lock(mutex_);
        if (jobs_.empty()) return false;
        job = std::move(jobs_.front());
        jobs_.pop_front();
    }
    job();
    return true;
}

bool ManualExecutor::runNewest() {
    platform::Job job;
    {
        std::lock_guard lock(mutex_);
        if (jobs_.empty()) return false;
        job = std::move(jobs_.back());
        jobs_.pop_back();
    }
    job();
    return true;
}

std::size_t ManualExecutor::runAll() {
    std::size_t count = 0;
    while (runOne()) ++count;
    return count;
}

std::size_t ManualExecutor::pendingCount() const {
    std::lock_guard lock(mutex_);
    return jobs_.size();
}

}  // namespace zentrel::testing
