#pragma once
// Callbacks that bring answers from any thread back to the main thread, and
// that do nothing once their owner is gone. An owner keeps one as its last
// member, so it is destroyed first.
//
//   callbacks_.wrap([this](bool ok) { apply(ok); })  // call from any thread
//   callbacks_.guard([this] { apply(); })            // already on the main thread

#include "platform/concurrency/Executor.hpp"

#include <memory>

namespace zentrel::platform {

class MainThreadCallbacks {
public:
    explicit MainThreadCallbacks(MainQueue& main) : main_(main) {}
    MainThreadCallbacks(const MainThreadCallbacks&) = delete;
    MainThreadCallbacks& operator=(const MainThreadCallbacks&) = delete;

    // A callable for any thread that posts `body` with its arguments to the
    // main queue.
    template <class Body>
    [[nodiscard]] auto wrap(Body body) const {
        return [&main = main_, alive = std::weak_ptr<const int>(token_), body](auto... args) {
            main.post([alive, body, args...] {
                if (alive.lock()) body(args...);
            });
        };
    }

    // A callable that runs `body` at once, while the owner lives.
    template <class Body>
    [[nodiscard]] auto guard(Body body) const {
        return [alive = std::weak_ptr<const int>(token_), body](auto&&... args) {
            if (alive.lock()) body(std::forward<decltype(args)>(args)...);
        };
    }

private:
    MainQueue& main_;
    std::shared_ptr<const int> token_ = std::make_shared<const int>(0);
};

}  // namespace zentrel::platform
