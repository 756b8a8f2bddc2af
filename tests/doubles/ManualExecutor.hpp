#pragma once
// An executor whose jobs wait until the test runs them on its own thread, so
// work that normally runs on the task pool runs in a known order.

#include "platform/Executor.hpp"

#include <deque>

namespace zentrel::testing {

class ManualExecutor final : public platform::Executor {
public:
    void submit(platform::Job job) override { jobs_.push_back(std::move(job)); }

    // Runs queued jobs, including those they submit, until none is left.
    std::size_t drain() {
        std::size_t count = 0;
        while (!jobs_.empty()) {
            auto job = std::move(jobs_.front());
            jobs_.pop_front();
            job();
            ++count;
        }
        return count;
    }

    [[nodiscard]] std::size_t pendingCount() const { return jobs_.size(); }

private:
    std::deque<platform::Job> jobs_;
};

}  // namespace zentrel::testing
