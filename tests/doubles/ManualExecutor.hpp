#pragma once
// An executor whose jobs wait until the test runs them, on the test's own
// thread, so that work on an engine's serial executor runs step by step.

#include "platform/concurrency/Executor.hpp"

#include <cstddef>
#include <deque>
#include <mutex>

namespace zentrel::testing {

class ManualExecutor final : public platform::Executor {
public:
    void submit(platform::Job job) override;

    // Runs the oldest job; false when none is waiting.
    bool runOne();
    // Runs the newest job, so a test can finish work out of order.
    bool runNewest();
    // Runs jobs, including those they submit, until none is left; returns how many ran.
    std::size_t runAll();
    std::size_t drain() { return runAll(); }
    [[nodiscard]] std::size_t pendingCount() const;

private:
    mutable std::mutex mutex_;
    std::deque<platform::Job> jobs_;
};

}  // namespace zentrel::testing
