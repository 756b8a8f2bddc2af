#pragma once
// The main queue of tests: posted jobs wait until the test runs them. Work on
// the task pool may post from any thread; the test thread plays the main
// thread.

#include "platform/concurrency/Executor.hpp"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace zentrel::testing {

class ManualMainQueue final : public platform::MainQueue {
public:
    void post(platform::Job job) override;

    // Runs queued jobs, including those they post, until none is left.
    // Returns how many ran.
    std::size_t drain();
    // Runs jobs as they arrive until `done` is true. Gives up after `limit`
    // (a guard against a hung test, not a timing) and returns whether `done`.
    bool runUntil(const std::function<bool()>& done, std::chrono::seconds limit = std::chrono::seconds(60));

    [[nodiscard]] std::size_t pendingCount() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable arrived_;
    std::deque<platform::Job> jobs_;
};

}  // namespace zentrel::testing
