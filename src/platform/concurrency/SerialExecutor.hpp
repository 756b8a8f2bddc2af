#pragma once
// Runs one object's jobs one at a time, in the order they were submitted, on
// a shared executor (normally the task pool). Each engine object that touches
// the file system owns one, so its operations never overlap.
//
//   SerialExecutor executor(pool);
//   executor.run(mainQueue, [] { return walk(); }, [](Result r) { show(r); });

#include "platform/concurrency/Executor.hpp"

#include <deque>
#include <memory>
#include <mutex>
#include <type_traits>
#include <utility>

namespace zentrel::platform {

class SerialExecutor final : public Executor {
public:
    explicit SerialExecutor(Executor& target);
    // Jobs already submitted still run; the shared state outlives this object.
    ~SerialExecutor() override = default;

    SerialExecutor(const SerialExecutor&) = delete;
    SerialExecutor& operator=(const SerialExecutor&) = delete;

    void submit(Job job) override;

    // Runs `work` here, then posts its result to `done` on the main queue.
    template <class Work, class Done>
    void run(MainQueue& main, Work work, Done done) {
        submit([&main, work = std::move(work), done = std::move(done)]() mutable {
            if constexpr (std::is_void_v<std::invoke_result_t<Work&>>) {
                work();
                main.post(std::move(done));
            } else {
                auto result = work();
                main.post([done = std::move(done), result = std::move(result)]() mutable {
                    done(std::move(result));
                });
            }
        });
    }

private:
    struct State {
        explicit State(Executor& target) : target(target) {}
        Executor& target;
        std::mutex mutex;
        std::deque<Job> jobs;
        bool draining = false;
    };
    static void drain(const std::shared_ptr<State>& state);

    std::shared_ptr<State> state_;
};

}  // namespace zentrel::platform
