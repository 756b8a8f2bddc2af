#pragma once
// The keys we typed through XTEST, which the RECORD tap sees again: the
// poster notes each one before sending it, and the tap takes the next
// matching note to recognise its own key (a user's key in between does not
// match). A note may mark its key as one the window's text changes with
// (a character, Delete, the key of a shortcut; not a modifier): the tap
// reports those as arrived. Notes nobody takes are dropped after a second.
// Thread-safe.

#include <chrono>
#include <deque>
#include <mutex>

namespace zentrel::platform::x11 {

class X11SyntheticEchoes final {
public:
    enum class Echo { notOurs, ours, oursAndArrived };

    void expect(unsigned keycode, bool pressed, bool reportArrival = false);
    // Whether this key is one we typed; its note is taken.
    [[nodiscard]] Echo take(unsigned keycode, bool pressed);

private:
    struct Note {
        unsigned keycode;
        bool pressed;
        bool reportArrival;
        std::chrono::steady_clock::time_point at;
    };
    std::mutex mutex_;
    std::deque<Note> notes_;
};

}  // namespace zentrel::platform::x11
