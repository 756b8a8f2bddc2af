#pragma once
// The one pool of worker threads that all background work runs on. Nothing
// else in the app creates threads; engine objects put their jobs on the pool
// through a `SerialExecutor` each.

#include "platform/concurrency/Executor.hpp"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace zentrel::platform {

class TaskPool final : public Executor {
public:
    // Zero threads picks the number of processors.
    explicit TaskPool(unsigned threadCount = 0);
    // Runs the jobs already submitted, then joins the workers.
    ~TaskPool() override;

    TaskPool(const TaskPool&) = delete;
    TaskPool& operator=(const TaskPool&) = delete;

    void submit(Job job) override;
    [[nodiscard]] unsigned threadCount() const { return static_cast<unsigned>(workers_.size()); }

private:
    void workerLoop();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    bool stopping_ = false;
    std::vector<std::thread> workers_;
};

}  // namespace zentrel::platform
