#pragma once
// The desktop's side of typing in the main app, made once by the program:
// the X11 key tap with its XTEST poster, the accessibility worker (the tree
// over AT-SPI and the frontmost application from the X display, both asked
// on the worker's thread) that reads the focused context and writes fields
// directly, the trust check and the IBus status. At its start it frees, on a
// thread of its own, the spare key codes that an ended run left mapped,
// whether typing is on or not. On a Wayland session the tap reports itself
// unavailable and only the input method types.

#include "platform/accessibility/DesktopAccessibilityTrust.hpp"
#include "platform/concurrency/Executor.hpp"
#include "platform/input/InputMethodStatus.hpp"
#include "platform/input/X11KeyEventPoster.hpp"
#include "platform/input/X11KeyboardEventTap.hpp"
#include "typing/integration/AccessibilityWorker.hpp"

#include <thread>

namespace zentrel::typing {

struct DesktopTypingBackends {
    // `accessibilityBusReachable` asks, on the accessibility worker's thread,
    // whether the session bus can reach "org.a11y.Bus".
    DesktopTypingBackends(platform::MainQueue& main, AccessibilityWorker::ReachCheck accessibilityBusReachable);
    DesktopTypingBackends(const DesktopTypingBackends&) = delete;
    DesktopTypingBackends& operator=(const DesktopTypingBackends&) = delete;
    ~DesktopTypingBackends();

    platform::x11::X11SyntheticEchoes echoes;
    platform::x11::X11KeyEventPoster poster{echoes};
    platform::x11::X11KeyboardEventTap tap;
    AccessibilityWorker accessibility;
    platform::DesktopAccessibilityTrust trust;
    platform::IBusInputMethodStatus inputMethodStatus;

private:
    std::thread leftoverCodes_;
};

}  // namespace zentrel::typing
