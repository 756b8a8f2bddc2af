#include "platform/concurrency/TaskPool.hpp"

namespace zentrel::platform {

TaskPool::TaskPool(unsigned threadCount) {
    if (threadCount == 0) threadCount = std::max(2u, std::thread::hardware_concurrency());
    workers_.reserve(threadCount);
    for (unsigned i = 0; i < threadCount; ++i) workers_.emplace_back([this] { workerLoop(); });
}

TaskPool::~TaskPool() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    for (auto& worker : workers_) worker.join();
}

void TaskPool::submit(Job job) {
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(job));
    }
    wake_.notify_one();
}

void TaskPool::workerLoop() {
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            if (jobs_.empty()) return;  // stopping, and nothing left to run
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        job();
    }
}

}  // namespace zentrel::platform
