#pragma once
// Follows the window manager's active window (_NET_ACTIVE_WINDOW on the root
// window) on a thread of its own with a display connection of its own, so
// that a switch to another window is known when it happens, not at the next
// poll. Without a display, or a window manager that names its active window,
// it hears nothing.

#include <functional>
#include <string>
#include <thread>

namespace zentrel::platform::x11 {

class X11ActiveWindowWatch final {
public:
    // `changed` runs on the watch's thread after each change. Empty display name: $DISPLAY.
    explicit X11ActiveWindowWatch(std::function<void()> changed, std::string displayName = {});
    X11ActiveWindowWatch(const X11ActiveWindowWatch&) = delete;
    X11ActiveWindowWatch& operator=(const X11ActiveWindowWatch&) = delete;
    // Ends the thread; `changed` is not called once this returns.
    ~X11ActiveWindowWatch();

    // Whether the watch has its display and listens.
    [[nodiscard]] bool isListening() const { return thread_.joinable(); }

private:
    void run();

    std::function<void()> changed_;
    void* display_ = nullptr;
    int wake_[2] = {-1, -1};
    std::thread thread_;
};

}  // namespace zentrel::platform::x11
