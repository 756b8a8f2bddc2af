#pragma once
// The key tap of an X11 session. Keys and mouse buttons are observed with
// the RECORD extension on a thread of the tap's own and handed to the
// handler on the main thread (in batches when they pile up, TapEventQueue),
// marked as already delivered: RECORD cannot hold a key back, so the window
// has it before the handler runs. Our own
// XTEST keys are recognised through the echoes; those that change the text
// are reported as arrived, in their place among the user's keys. The per-
// application toggle chord (control+shift+V) is grabbed on the root window
// while the tap is installed, so that it really is swallowed. The thread also
// watches the keyboard map and maps the spare codes of this run again when a
// reload emptied them (X11SpareCodeMarks).

#include "platform/concurrency/Executor.hpp"
#include "platform/input/KeyboardEventTap.hpp"
#include "platform/input/X11SyntheticEchoes.hpp"

#include <memory>
#include <string>

namespace zentrel::platform::x11 {

class X11KeyboardEventTap final : public KeyboardEventTap {
public:
    // Empty display name: $DISPLAY.
    X11KeyboardEventTap(MainQueue& main, X11SyntheticEchoes& echoes, std::string displayName = {});
    ~X11KeyboardEventTap() override;
    X11KeyboardEventTap(const X11KeyboardEventTap&) = delete;
    X11KeyboardEventTap& operator=(const X11KeyboardEventTap&) = delete;

    bool install(Handler handler) override;
    void remove() override;
    [[nodiscard]] bool isInstalled() const override;
    [[nodiscard]] std::optional<std::string> unavailableReason() const override;

private:
    struct Recording;
    MainQueue& main_;
    X11SyntheticEchoes& echoes_;
    std::string displayName_;
    std::unique_ptr<Recording> recording_;
};

}  // namespace zentrel::platform::x11
