#pragma once
// A system-wide tap on key-down, modifier-change and mouse-down events whose
// handler may let each event through or drop it. A tap that can only observe
// (X11's) reports keys as already delivered and ignores the answer. Where no
// tap can run (a Wayland session), `unavailableReason` says why.

#include "platform/input/KeyboardEvents.hpp"

#include <functional>
#include <optional>
#include <string>

namespace zentrel::platform {

class KeyboardEventTap {
public:
    // True lets the event through; false drops it. Runs on the main thread.
    using Handler = std::function<bool(const TapEvent& event, bool tapIsPresent)>;

    virtual ~KeyboardEventTap() = default;
    // False when no tap could be made.
    virtual bool install(Handler handler) = 0;
    virtual void remove() = 0;
    [[nodiscard]] virtual bool isInstalled() const = 0;
    // Why no tap can be installed here; none when one can.
    [[nodiscard]] virtual std::optional<std::string> unavailableReason() const = 0;
};

class NoKeyboardEventTap final : public KeyboardEventTap {
public:
    bool install(Handler) override { return false; }
    void remove() override {}
    [[nodiscard]] bool isInstalled() const override { return false; }
    [[nodiscard]] std::optional<std::string> unavailableReason() const override {
        return "This desktop offers no key tap";
    }
};

}  // namespace zentrel::platform
