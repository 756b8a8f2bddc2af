#include "platform/input/X11ActiveWindowWatch.hpp"

#include <X11/Xlib.h>

#include <poll.h>
#include <unistd.h>

namespace zentrel::platform::x11 {

X11ActiveWindowWatch::X11ActiveWindowWatch(std::function<void()> changed, std::string displayName)
    : changed_(std::move(changed)) {
    Display* display = XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str());
    if (display == nullptr) return;
    if (::pipe(wake_) != 0) {
        XCloseDisplay(display);
        return;
    }
    display_ = display;
    XSelectInput(display, DefaultRootWindow(display), PropertyChangeMask);
    XFlush(display);
    thread_ = std::thread([this] { run(); });
}

X11ActiveWindowWatch::~X11ActiveWindowWatch() {
    if (thread_.joinable()) {
        const char stop = 0;
        (void)!::write(wake_[1], &stop, 1);
        thread_.join();
    }
    if (display_ != nullptr) XCloseDisplay(static_cast<Display*>(display_));
    for (int end : wake_) {
        if (end >= 0) ::close(end);
    }
}

void X11ActiveWindowWatch::run() {
    auto* display = static_cast<Display*>(display_);
    const Atom activeWindow = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    pollfd ready[2] = {{ConnectionNumber(display), POLLIN, 0}, {wake_[0], POLLIN, 0}};
    while (true) {
        bool changed = false;
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            changed = changed || (event.type == PropertyNotify && event.xproperty.atom == activeWindow);
        }
        // One call for the changes that came together.
        if (changed) changed_();
        if (::poll(ready, 2, -1) < 0) continue;
        if ((ready[1].revents & POLLIN) != 0) return;
        if ((ready[0].revents & (POLLERR | POLLHUP)) != 0) return;
    }
}

}  // namespace zentrel::platform::x11
