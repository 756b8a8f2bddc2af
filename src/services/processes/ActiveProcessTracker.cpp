#include "services/processes/ActiveProcessTracker.hpp"

#include <mutex>

namespace zentrel::services {

struct ActiveProcessTracker::State {
    Query query;
    std::mutex mutex;
    std::optional<std::int32_t> found;
    bool asking = false;
};

ActiveProcessTracker::ActiveProcessTracker(Query query, platform::Executor& executor)
    : state_(std::make_shared<State>()), executor_(&executor) {
    state_->query = std::move(query);
    (void)current();  // the first question, so the first listing has an answer sooner
}

ActiveProcessTracker::ActiveProcessTracker() = default;

std::optional<std::int32_t> ActiveProcessTracker::current() const {
    if (!state_) return std::nullopt;
    const std::lock_guard lock(state_->mutex);
    if (!state_->asking) {
        state_->asking = true;
        executor_->submit([state = state_] {
            auto found = state->query();
            const std::lock_guard answered(state->mutex);
            state->found = found;
            state->asking = false;
        });
    }
    return state_->found;
}

}  // namespace zentrel::services
