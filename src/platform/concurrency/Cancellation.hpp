#pragma once
// Cooperative cancellation of a long run: the owner keeps the source and
// cancels it; the work checks the token between steps.

#include <atomic>
#include <memory>

namespace zentrel::platform {

class CancellationToken {
public:
    // A token that is never cancelled.
    CancellationToken() = default;
    [[nodiscard]] bool isCancelled() const { return flag_ && flag_->load(std::memory_order_relaxed); }

private:
    friend class CancellationSource;
    explicit CancellationToken(std::shared_ptr<std::atomic<bool>> flag) : flag_(std::move(flag)) {}
    std::shared_ptr<std::atomic<bool>> flag_;
};

class CancellationSource {
public:
    CancellationSource() : flag_(std::make_shared<std::atomic<bool>>(false)) {}
    void cancel() { flag_->store(true, std::memory_order_relaxed); }
    [[nodiscard]] bool isCancelled() const { return flag_->load(std::memory_order_relaxed); }
    [[nodiscard]] CancellationToken token() const { return CancellationToken(flag_); }

private:
    std::shared_ptr<std::atomic<bool>> flag_;
};

}  // namespace zentrel::platform
