#include "platform/input/X11SyntheticEchoes.hpp"

namespace zentrel::platform::x11 {
namespace {
constexpr auto kNoteLifetime = std::chrono::seconds(1);
}  // namespace

void X11SyntheticEchoes::expect(unsigned keycode, bool pressed, bool reportArrival) {
    std::lock_guard guard(mutex_);
    notes_.push_back({keycode, pressed, reportArrival, std::chrono::steady_clock::now()});
}

X11SyntheticEchoes::Echo X11SyntheticEchoes::take(unsigned keycode, bool pressed) {
    std::lock_guard guard(mutex_);
    const auto now = std::chrono::steady_clock::now();
    while (!notes_.empty() && now - notes_.front().at > kNoteLifetime) notes_.pop_front();
    for (auto note = notes_.begin(); note != notes_.end(); ++note) {
        if (note->keycode == keycode && note->pressed == pressed) {
            const bool arrived = note->reportArrival;
            notes_.erase(note);
            return arrived ? Echo::oursAndArrived : Echo::ours;
        }
    }
    return Echo::notOurs;
}

}  // namespace zentrel::platform::x11
