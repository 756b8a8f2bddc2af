#pragma once
// The desktop's side of typing in the main app, made once by the program:
// the X11 key tap with its XTEST poster, the frontmost application from the
// X display, the accessibility tree over AT-SPI with the detector and the
// direct writer on top of it, the trust check and the IBus status. On a
// Wayland session the tap reports itself unavailable and only the input
// method types.

#include "platform/AtspiAccessibilityElements.hpp"
#include "platform/DesktopAccessibilityTrust.hpp"
#include "platform/Executor.hpp"
#include "platform/InputMethodStatus.hpp"
#include "platform/X11FrontmostApplication.hpp"
#include "platform/X11KeyEventPoster.hpp"
#include "platform/X11KeyboardEventTap.hpp"
#include "typing/integration/IMEContextDetector.hpp"

namespace zentrel::typing {

struct DesktopTypingBackends {
    // `accessibilityBusReachable`: whether the session bus can reach "org.a11y.Bus".
    DesktopTypingBackends(platform::MainQueue& main, bool accessibilityBusReachable);
    DesktopTypingBackends(const DesktopTypingBackends&) = delete;
    DesktopTypingBackends& operator=(const DesktopTypingBackends&) = delete;

    platform::x11::X11SyntheticEchoes echoes;
    platform::x11::X11KeyEventPoster poster{echoes};
    platform::x11::X11KeyboardEventTap tap;
    platform::x11::X11FrontmostApplication frontmost;
    platform::AtspiAccessibilityElements elements;
    IMEContextDetector detector{elements};
    AccessibilityTextWriter writer{elements};
    platform::DesktopAccessibilityTrust trust;
    platform::IBusInputMethodStatus inputMethodStatus;
};

}  // namespace zentrel::typing
