#pragma once
// The keys we typed through XTEST, which the RECORD tap sees again: the
// poster notes each one before sending it, and the tap takes the next
// matching note to recognise its own key (a user's key in between does not
// match). Notes nobody takes are dropped after a second. Thread-safe.

#include <chrono>
#include <deque>
#include <mutex>

namespace zentrel::platform::x11 {

class X11SyntheticEchoes final {
public:
    void expect(unsigned keycode, bool pressed);
    // True when this key is one we typed; its note is taken.
    [[nodiscard]] bool take(unsigned keycode, bool pressed);

private:
    struct Note {
        unsigned keycode;
        bool pressed;
        std::chrono::steady_clock::time_point at;
    };
    std::mutex mutex_;
    std::deque<Note> notes_;
};

}  // namespace zentrel::platform::x11
