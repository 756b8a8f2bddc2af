#pragma once
// The application of the X11 window that has the keyboard: the window
// manager's active window, else the input focus, walked up to the window
// that names its process. Its identifier is the program's name. Keeps one
// display connection; one thread at a time.

#include "platform/accessibility/AccessibilityElements.hpp"

#include <memory>
#include <string>

namespace zentrel::platform::x11 {

class X11FrontmostApplication final {
public:
    // Empty display name: $DISPLAY.
    explicit X11FrontmostApplication(std::string displayName = {});
    ~X11FrontmostApplication();
    X11FrontmostApplication(const X11FrontmostApplication&) = delete;
    X11FrontmostApplication& operator=(const X11FrontmostApplication&) = delete;

    // None without a display or a focused window of a known process.
    [[nodiscard]] std::optional<FrontmostApplication> current();

private:
    struct Connection;
    std::string displayName_;
    std::unique_ptr<Connection> connection_;
};

}  // namespace zentrel::platform::x11
