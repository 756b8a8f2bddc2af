#pragma once
// Keyboard and mouse events as a system-wide event tap sees them, and the
// synthetic key events the typing bridge posts back into the event stream.
// Values follow the typing bridge's own vocabulary: types, key codes, modifier
// bits and the source user-data field that marks our own events; each tap
// backend translates its desktop's events into them.

#include <cstdint>
#include <string>

namespace zentrel::platform {

// `postedKeyArrived`: one of the keys we posted reached the window. A tap
// that only observes reports them among the user's keys in the order the
// window takes them, so a user's key reported while ours are still on their
// way reached the window before them.
enum class TapEventType : int {
    leftMouseDown = 1,
    rightMouseDown = 3,
    keyDown = 10,
    flagsChanged = 12,
    postedKeyArrived = 90,
    other = -1
};

namespace modifier {
inline constexpr std::uint64_t shift = 0x20000;
inline constexpr std::uint64_t control = 0x40000;
inline constexpr std::uint64_t option = 0x80000;
inline constexpr std::uint64_t command = 0x100000;
inline constexpr std::uint64_t mask = 0x1E0000;
}  // namespace modifier

struct TapEvent {
    TapEventType type = TapEventType::keyDown;
    std::uint64_t flags = 0;
    int keyCode = 0;
    std::u16string unicode;    // what the key types, up to 4 UTF-16 units
    std::int64_t userData = 0;  // the event source's user-data field
    // The window already received the key: a tap that can only observe
    // reports every typed key so, and the bridge then rewrites from what is
    // on screen instead of dropping the key.
    bool alreadyDelivered = false;
    // More of the user's events the tap observed wait behind this one: with
    // keys already delivered, the window has more than this key, and a fix is
    // left to the last of them.
    bool followedByMoreEvents = false;
};

struct SyntheticKeyEvent {
    int keyCode = 0;
    bool keyDown = true;
    std::uint64_t flags = 0;
    std::u16string unicode;
    std::int64_t userData = 0;

    bool operator==(const SyntheticKeyEvent&) const = default;
};

// Where a synthetic event enters the stream: at the session tap, or after
// the tap that is running now.
enum class PostTarget { session, afterTap };

class KeyEventPoster {
public:
    virtual ~KeyEventPoster() = default;
    // The event may wait in a buffer until `flush` or a sleep.
    virtual void post(const SyntheticKeyEvent& event, PostTarget target) = 0;
    // Sends the events posted so far in one piece, so that no other
    // program's key lands among them.
    virtual void flush() {}
    // Sends what was posted, then blocks the calling thread; the tap's delays between events.
    virtual void sleepMicroseconds(std::uint32_t micros) = 0;
};

}  // namespace zentrel::platform
