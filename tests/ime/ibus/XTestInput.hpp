#pragma once
// Real keyboard and mouse input on the test's X display through the XTEST
// extension: what a user does, as the applications receive it. Also gives a
// window the keyboard focus, since the test display runs no window manager.

#include <chrono>
#include <string_view>
#include <utility>
#include <vector>

struct _XDisplay;

namespace zentrel::testing {

class XTestInput {
public:
    // Opens the display named by DISPLAY.
    XTestInput();
    ~XTestInput();
    XTestInput(const XTestInput&) = delete;
    XTestInput& operator=(const XTestInput&) = delete;

    // False when there is no display or it lacks XTEST.
    [[nodiscard]] bool isAvailable() const { return display_ != nullptr; }

    // Presses and releases the key of each ASCII character, with Shift where the character needs it.
    void type(std::string_view text);
    // The same, a key every `gap` as a fast typist would (Shift goes down
    // with its key); returns when each key was sent, one per character.
    std::vector<std::chrono::steady_clock::time_point> typeEvery(std::string_view text, std::chrono::microseconds gap);
    // The same with each key held `hold` as a person holds it: a hold longer
    // than the gap presses the next key while the last is still down. A key
    // with Shift is held at most half a gap, so that Shift is up for the next;
    // a key typed again is let go just before it goes down again.
    std::vector<std::chrono::steady_clock::time_point> typeHeld(std::string_view text, std::chrono::microseconds gap,
                                                                std::chrono::microseconds hold);
    // Presses and releases one key by its X key symbol name ("BackSpace", "Tab").
    void press(const char* keyName);
    // The same with control held (control+A), or control and shift (control+shift+V).
    void pressWithControl(const char* keyName);
    void pressWithControlShift(const char* keyName);
    // Moves the pointer and clicks the first button, never soon enough after
    // the last click to count as a double click.
    void click(int x, int y);
    // Gives the keyboard focus to a top-level window.
    void focus(unsigned long window);

private:
    void tap(unsigned keycode, bool shifted, bool control = false);
    void send(unsigned keycode, bool shifted, bool control);
    // The key of an ASCII character and whether it needs Shift; key code 0 when the keyboard lacks it.
    [[nodiscard]] std::pair<unsigned, bool> keyOf(char c) const;

    _XDisplay* display_ = nullptr;
    std::chrono::steady_clock::time_point lastClick_;
};

}  // namespace zentrel::testing
