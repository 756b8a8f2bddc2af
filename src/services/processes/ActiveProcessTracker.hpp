#pragma once
// The process of the application in front, as the desktop names it (on X11,
// the process of the window manager's active window). The desktop is asked
// on an executor, never on the caller's thread: each read answers the last
// process found and asks again, one question at a time. Where the desktop
// cannot tell (a Wayland session), none is ever in front.

#include "platform/concurrency/Executor.hpp"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace zentrel::services {

class ActiveProcessTracker final {
public:
    // Asks the desktop; runs on the executor, one call at a time.
    using Query = std::function<std::optional<std::int32_t>()>;

    // A tracker that can tell; `executor` must outlive the questions it runs.
    ActiveProcessTracker(Query query, platform::Executor& executor);
    // One that cannot: where the desktop never says.
    ActiveProcessTracker();

    // The last process found in front, and a new question to the desktop.
    [[nodiscard]] std::optional<std::int32_t> current() const;
    // Whether this desktop can tell which application is in front.
    [[nodiscard]] bool canTell() const { return state_ != nullptr; }

private:
    struct State;
    std::shared_ptr<State> state_;
    platform::Executor* executor_ = nullptr;
};

}  // namespace zentrel::services
