#pragma once
// A system-wide tap on key-down, modifier-change and mouse-down events whose
// handler may let each event through or drop it. This desktop opens no such
// tap to an ordinary program: `NoKeyboardEventTap` never installs one, so
// typing through the tap switches itself off here.

#include "platform/KeyboardEvents.hpp"

#include <functional>

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
};

class NoKeyboardEventTap final : public KeyboardEventTap {
public:
    bool install(Handler) override { return false; }
    void remove() override {}
    [[nodiscard]] bool isInstalled() const override { return false; }
};

}  // namespace zentrel::platform
