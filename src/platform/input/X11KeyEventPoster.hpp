#pragma once
// Posts the typing bridge's synthetic keys into an X display through XTEST:
// Delete, shift+Left and the paste shortcut (control+V here) as real keys,
// and text through the keyboard's own keys where one types the character
// with the modifiers held now, else through spare key codes mapped to the
// characters it needs (SpareKeyCodes: each keeps its code for the session,
// since every remap makes each window reload its key map; each types its
// character at both levels, so that Shift never matters). Each key is noted
// in the echoes so that the RECORD tap can tell it from the user's, the
// key-down of a character or of the key itself (not of a modifier) marked
// for its arrival to be reported. Events go out on `flush` (or before a
// sleep): a rewrite in one write, which the server takes in one piece. The
// spare codes are marked on the display (X11SpareCodeMarks) and unmapped
// again when the poster goes; codes an ended run left mapped (it was killed)
// are unmapped when the display is first used. One thread at a time.

#include "platform/input/KeyboardEvents.hpp"
#include "platform/input/X11SyntheticEchoes.hpp"

#include <memory>
#include <string>

namespace zentrel::platform::x11 {

class X11KeyEventPoster final : public KeyEventPoster {
public:
    // Empty display name: $DISPLAY. The display is opened on first use.
    explicit X11KeyEventPoster(X11SyntheticEchoes& echoes, std::string displayName = {});
    ~X11KeyEventPoster() override;
    X11KeyEventPoster(const X11KeyEventPoster&) = delete;
    X11KeyEventPoster& operator=(const X11KeyEventPoster&) = delete;

    void post(const SyntheticKeyEvent& event, PostTarget target) override;
    void flush() override;
    void sleepMicroseconds(std::uint32_t micros) override;

private:
    struct Connection;
    X11SyntheticEchoes& echoes_;
    std::string displayName_;
    std::unique_ptr<Connection> connection_;
};

}  // namespace zentrel::platform::x11
