#include "platform/input/HeldKeys.hpp"

namespace zentrel::platform::x11 {

bool HeldKeys::isHeld(unsigned code) const {
    if (code >= bits_.size() * 8) return false;
    return (static_cast<unsigned char>(bits_[code / 8]) & (1U << (code % 8))) != 0;
}

HeldKeys::Route HeldKeys::route(unsigned code, bool isModifier) const {
    if (!isHeld(code)) return Route::ownKey;
    // The modifier is down already; the user lets it go.
    return isModifier ? Route::alreadyHeld : Route::spareCode;
}

}  // namespace zentrel::platform::x11
