#include "XTestInput.hpp"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace zentrel::testing {
namespace {

// Applications read events at their own pace; a short gap between keys keeps
// the order a person's typing would have.
void pause() { std::this_thread::sleep_for(std::chrono::milliseconds(15)); }

int ignoreErrors(Display*, XErrorEvent*) { return 0; }

KeySym keySymOf(char c) {
    if (c == ' ') return XK_space;
    // Latin-1 key symbols equal their characters.
    return static_cast<KeySym>(static_cast<unsigned char>(c));
}

}  // namespace

XTestInput::XTestInput() {
    display_ = XOpenDisplay(nullptr);
    if (display_ == nullptr) return;
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display_, &event, &error, &major, &minor)) {
        XCloseDisplay(display_);
        display_ = nullptr;
        return;
    }
    XSetErrorHandler(ignoreErrors);
}

XTestInput::~XTestInput() {
    if (display_ != nullptr) XCloseDisplay(display_);
}

void XTestInput::send(unsigned keycode, bool shifted, bool control) {
    const unsigned shift = XKeysymToKeycode(display_, XK_Shift_L);
    const unsigned ctrl = XKeysymToKeycode(display_, XK_Control_L);
    if (control) XTestFakeKeyEvent(display_, ctrl, True, CurrentTime);
    if (shifted) XTestFakeKeyEvent(display_, shift, True, CurrentTime);
    XTestFakeKeyEvent(display_, keycode, True, CurrentTime);
    XTestFakeKeyEvent(display_, keycode, False, CurrentTime);
    if (shifted) XTestFakeKeyEvent(display_, shift, False, CurrentTime);
    if (control) XTestFakeKeyEvent(display_, ctrl, False, CurrentTime);
    XSync(display_, False);
}

void XTestInput::tap(unsigned keycode, bool shifted, bool control) {
    send(keycode, shifted, control);
    pause();
}

std::pair<unsigned, bool> XTestInput::keyOf(char c) const {
    const KeySym symbol = keySymOf(c);
    const KeyCode keycode = XKeysymToKeycode(display_, symbol);
    return {keycode, keycode != 0 && XkbKeycodeToKeysym(display_, keycode, 0, 0) != symbol};
}

void XTestInput::type(std::string_view text) {
    for (char c : text) {
        const auto [keycode, shifted] = keyOf(c);
        if (keycode != 0) tap(keycode, shifted);
    }
}

std::vector<std::chrono::steady_clock::time_point> XTestInput::typeEvery(std::string_view text,
                                                                          std::chrono::microseconds gap) {
    std::vector<std::chrono::steady_clock::time_point> sent;
    for (char c : text) {
        // Never closer than `gap`, also after a late wake-up: no burst of keys.
        if (!sent.empty()) std::this_thread::sleep_until(sent.back() + gap);
        const auto [keycode, shifted] = keyOf(c);
        sent.push_back(std::chrono::steady_clock::now());
        if (keycode != 0) send(keycode, shifted, false);
    }
    return sent;
}

std::vector<std::chrono::steady_clock::time_point> XTestInput::typeHeld(std::string_view text,
                                                                         std::chrono::microseconds gap,
                                                                         std::chrono::microseconds hold) {
    struct Event {
        std::chrono::microseconds at;
        unsigned keycode;
        bool pressed;
    };
    const unsigned shift = XKeysymToKeycode(display_, XK_Shift_L);
    std::vector<Event> events;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto [keycode, shifted] = keyOf(text[i]);
        if (keycode == 0) continue;
        const auto down = gap * static_cast<long>(i);
        auto up = down + (shifted ? std::min(hold, gap / 2) : hold);
        // A finger lifts a key before it presses that key again.
        for (std::size_t next = i + 1; next < text.size(); ++next) {
            if (keyOf(text[next]).first != keycode) continue;
            up = std::min(up, gap * static_cast<long>(next));
            break;
        }
        if (shifted) events.push_back({down, shift, true});
        events.push_back({down, keycode, true});
        events.push_back({up, keycode, false});
        if (shifted) events.push_back({up, shift, false});
    }
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) { return a.at < b.at; });
    std::vector<std::chrono::steady_clock::time_point> sent;
    const auto start = std::chrono::steady_clock::now();
    for (const auto& event : events) {
        std::this_thread::sleep_until(start + event.at);
        if (event.pressed && event.keycode != shift) sent.push_back(std::chrono::steady_clock::now());
        XTestFakeKeyEvent(display_, event.keycode, event.pressed ? True : False, CurrentTime);
        XSync(display_, False);
    }
    return sent;
}

void XTestInput::press(const char* keyName) {
    const KeyCode keycode = XKeysymToKeycode(display_, XStringToKeysym(keyName));
    if (keycode != 0) tap(keycode, false);
}

void XTestInput::pressWithControl(const char* keyName) {
    const KeyCode keycode = XKeysymToKeycode(display_, XStringToKeysym(keyName));
    if (keycode != 0) tap(keycode, false, true);
}

void XTestInput::pressWithControlShift(const char* keyName) {
    const KeyCode keycode = XKeysymToKeycode(display_, XStringToKeysym(keyName));
    if (keycode != 0) tap(keycode, true, true);
}

void XTestInput::click(int x, int y) {
    // Toolkits take two clicks within 400 ms for a double click (which selects a word).
    std::this_thread::sleep_until(lastClick_ + std::chrono::milliseconds(500));
    lastClick_ = std::chrono::steady_clock::now();
    XTestFakeMotionEvent(display_, -1, x, y, CurrentTime);
    XTestFakeButtonEvent(display_, 1, True, CurrentTime);
    XTestFakeButtonEvent(display_, 1, False, CurrentTime);
    XSync(display_, False);
    pause();
}

void XTestInput::focus(unsigned long window) {
    XRaiseWindow(display_, window);
    XSetInputFocus(display_, window, RevertToPointerRoot, CurrentTime);
    XSync(display_, False);
    pause();
}

}  // namespace zentrel::testing
