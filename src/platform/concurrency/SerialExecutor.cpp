#include "platform/concurrency/SerialExecutor.hpp"

namespace zentrel::platform {

SerialExecutor::SerialExecutor(Executor& target) : state_(std::make_shared<State>(target)) {}

void SerialExecutor::submit(Job job) {
    bool startDrain = false;
    {
        std::lock_guard lock(state_->mutex);
        state_->jobs.push_back(std::move(job));
        if (!state_->draining) {
            state_->draining = true;
            startDrain = true;
        }
    }
    if (startDrain) {
        auto state = state_;
        state->target.submit([state] { drain(state); });
    }
}

// Runs one job, then hands the rest back to the target, so a long queue does
// not hold a pool thread for good and other objects get their turn.
void SerialExecutor::drain(const std::shared_ptr<State>& state) {
    Job job;
    {
        std::lock_guard lock(state->mutex);
        job = std::move(state->jobs.front());
        state->jobs.pop_front();
    }
    job();
    {
        std::lock_guard lock(state->mutex);
        if (state->jobs.empty()) {
            state->draining = false;
            return;
        }
    }
    state->target.submit([state] { drain(state); });
}

}  // namespace zentrel::platform
