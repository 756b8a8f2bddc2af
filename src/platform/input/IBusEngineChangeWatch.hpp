#pragma once
// Follows the IBus daemon's announcement that it uses another engine (its
// GlobalEngineChanged signal) on a thread of its own, with a GLib main loop
// of its own, so that no other loop needs to run GLib. Where no daemon
// answers, or after one closed the connection (a restart), it connects again
// after a wait that doubles up to half a minute.
//
//   IBusEngineChangeWatch watch([&] { queue.post(refresh); }, [&] { queue.post(refresh); });

#include <functional>
#include <thread>

typedef struct _GMainContext GMainContext;
typedef struct _GMainLoop GMainLoop;

namespace zentrel::platform {

class IBusEngineChangeWatch final {
public:
    // Both run on the watch's thread: `changed` at each announcement,
    // `listening` each time the watch has subscribed (at first and after a
    // restart); an engine chosen before then goes unannounced.
    explicit IBusEngineChangeWatch(std::function<void()> changed, std::function<void()> listening = {});
    IBusEngineChangeWatch(const IBusEngineChangeWatch&) = delete;
    IBusEngineChangeWatch& operator=(const IBusEngineChangeWatch&) = delete;
    ~IBusEngineChangeWatch();

    // Ends the thread; `changed` is not called once this returns.
    void stop();

private:
    void run();

    std::function<void()> changed_;
    std::function<void()> listening_;
    GMainContext* context_ = nullptr;
    GMainLoop* loop_ = nullptr;
    std::thread thread_;
};

}  // namespace zentrel::platform
