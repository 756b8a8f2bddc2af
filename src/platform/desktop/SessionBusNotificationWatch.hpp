#pragma once
// Hears the distributed notifications of this user session (see
// SessionBusNotificationCenter) on a thread of its own, with a GLib main loop
// of its own. Where there is no session bus it hears nothing.
//
//   SessionBusNotificationWatch watch([&](std::string name) { queue.post(...); });

#include <functional>
#include <string>
#include <thread>

typedef struct _GMainContext GMainContext;
typedef struct _GMainLoop GMainLoop;

namespace zentrel::platform {

class SessionBusNotificationWatch final {
public:
    // `received` runs on the watch's thread with each notification's name.
    explicit SessionBusNotificationWatch(std::function<void(std::string)> received);
    SessionBusNotificationWatch(const SessionBusNotificationWatch&) = delete;
    SessionBusNotificationWatch& operator=(const SessionBusNotificationWatch&) = delete;
    ~SessionBusNotificationWatch();

    // Ends the thread; `received` is not called once this returns.
    void stop();

private:
    void run();

    std::function<void(std::string)> received_;
    GMainContext* context_ = nullptr;
    GMainLoop* loop_ = nullptr;
    std::thread thread_;
};

}  // namespace zentrel::platform
