#pragma once
// The keys the user holds down while a fix is typed, as the server's key
// map bits give them (32 bytes, a bit per key code). A synthetic press of a
// held key would reach the window as a repeat or not at all, and its
// release would end the user's hold, so that the user's own release is
// dropped: a held key is typed through a spare code mapped to the same
// symbol instead, and a held modifier is left as the user holds it. Plain
// logic over key codes, without a display.

#include <array>
#include <cstdint>

namespace zentrel::platform::x11 {

class HeldKeys final {
public:
    using Bits = std::array<char, 32>;

    HeldKeys() = default;
    explicit HeldKeys(const Bits& bits) : bits_(bits) {}

    [[nodiscard]] bool isHeld(unsigned code) const;

    // How a key a fix wants to press and release goes out.
    enum class Route { ownKey, spareCode, alreadyHeld };
    [[nodiscard]] Route route(unsigned code, bool isModifier) const;

private:
    Bits bits_{};
};

}  // namespace zentrel::platform::x11
