#pragma once
// The desktop's side of typing in the main app, made once by the program:
// the X11 key tap with its XTEST poster, the accessibility worker (the tree
// over AT-SPI and the frontmost application from the X display, both asked
// on the worker's thread) that reads the focused context and writes fields
// directly, the trust check and the IBus status. On a Wayland session the
// tap reports itself unavailable and only the input method types.

#include "platform/DesktopAccessibilityTrust.hpp"
#include "platform/Executor.hpp"
#include "platform/InputMethodStatus.hpp"
#include "platform/X11KeyEventPoster.hpp"
#include "platform/X11KeyboardEventTap.hpp"
#include "typing/integration/AccessibilityWorker.hpp"

namespace zentrel::typing {

struct DesktopTypingBackends {
    // `accessibilityBusReachable`: whether the session bus can reach "org.a11y.Bus".
    DesktopTypingBackends(platform::MainQueue& main, bool accessibilityBusReachable);
    DesktopTypingBackends(const DesktopTypingBackends&) = delete;
    DesktopTypingBackends& operator=(const DesktopTypingBackends&) = delete;

    platform::x11::X11SyntheticEchoes echoes;
    platform::x11::X11KeyEventPoster poster{echoes};
    platform::x11::X11KeyboardEventTap tap;
    AccessibilityWorker accessibility;
    platform::DesktopAccessibilityTrust trust;
    platform::IBusInputMethodStatus inputMethodStatus;
};

}  // namespace zentrel::typing
