#include "ime/FocusedClientProgram.hpp"

#include "ime/IBusClientName.hpp"

#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace zentrel::ime {

struct FocusedClientProgram::Shared {
    Shared(platform::MainQueue& queue, std::filesystem::path root) : engineQueue(queue), procRoot(std::move(root)) {}

    platform::MainQueue& engineQueue;
    const std::filesystem::path procRoot;
    std::mutex mutex;
    std::condition_variable wake;
    std::vector<Answer> waiting;
    bool stopping = false;

    // The thread's loop: one look at the focused window for every question waiting.
    static void run(const std::shared_ptr<Shared>& shared, const std::function<FocusedProcess()>& makeFocusedProcess) {
        const auto focusedProcess = makeFocusedProcess();
        std::unique_lock lock(shared->mutex);
        while (true) {
            shared->wake.wait(lock, [&] { return shared->stopping || !shared->waiting.empty(); });
            if (shared->stopping) return;
            auto answers = std::exchange(shared->waiting, {});
            lock.unlock();
            const auto pid = focusedProcess();
            const auto program = pid ? programOfQtClientProcess(*pid, shared->procRoot) : std::nullopt;
            lock.lock();
            // Posted under the lock: once the owner is gone, nothing is posted any more.
            if (shared->stopping) return;
            for (auto& answer : answers) {
                shared->engineQueue.post([answer = std::move(answer), program] { answer(program); });
            }
        }
    }
};

FocusedClientProgram::FocusedClientProgram(platform::MainQueue& engineQueue,
                                           std::function<FocusedProcess()> makeFocusedProcess,
                                           std::filesystem::path procRoot)
    : shared_(std::make_shared<Shared>(engineQueue, std::move(procRoot))) {
    // Detached: a display that never answers must not hold up the program's exit.
    std::thread([shared = shared_, make = std::move(makeFocusedProcess)] { Shared::run(shared, make); }).detach();
}

FocusedClientProgram::~FocusedClientProgram() {
    {
        const std::lock_guard lock(shared_->mutex);
        shared_->stopping = true;
    }
    shared_->wake.notify_one();
}

void FocusedClientProgram::ask(Answer answer) {
    {
        const std::lock_guard lock(shared_->mutex);
        shared_->waiting.push_back(std::move(answer));
    }
    shared_->wake.notify_one();
}

}  // namespace zentrel::ime
