#include "typing/desktop/XTestTypist.hpp"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <thread>

namespace zentrel::testing {
namespace {
Display* asDisplay(void* display) { return static_cast<Display*>(display); }
}  // namespace

XTestTypist::XTestTypist(std::chrono::milliseconds pause) : display_(XOpenDisplay(nullptr)), pause_(pause) {}

XTestTypist::~XTestTypist() {
    if (display_ != nullptr) XCloseDisplay(asDisplay(display_));
}

void XTestTypist::key(unsigned long keysym, bool shifted, bool control) {
    Display* display = asDisplay(display_);
    const KeyCode code = XKeysymToKeycode(display, keysym);
    const KeyCode shift = XKeysymToKeycode(display, XK_Shift_L);
    const KeyCode ctrl = XKeysymToKeycode(display, XK_Control_L);
    if (code == 0) return;
    if (control) XTestFakeKeyEvent(display, ctrl, True, CurrentTime);
    if (shifted) XTestFakeKeyEvent(display, shift, True, CurrentTime);
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    if (shifted) XTestFakeKeyEvent(display, shift, False, CurrentTime);
    if (control) XTestFakeKeyEvent(display, ctrl, False, CurrentTime);
    XSync(display, False);
    std::this_thread::sleep_for(pause_);
}

void XTestTypist::type(const std::string& text) {
    if (display_ == nullptr) return;
    for (char c : text) {
        const auto keysym = static_cast<unsigned long>(static_cast<unsigned char>(c));
        const KeyCode code = XKeysymToKeycode(asDisplay(display_), keysym);
        // Shifted when the key's first level types something else.
        const bool shifted = code != 0 && XkbKeycodeToKeysym(asDisplay(display_), code, 0, 0) != keysym;
        key(keysym, shifted, false);
    }
}

void XTestTypist::controlShift(char letter) {
    if (display_ == nullptr) return;
    key(static_cast<unsigned long>(letter), true, true);
}

}  // namespace zentrel::testing
