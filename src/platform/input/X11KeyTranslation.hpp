#pragma once
// Core X11 key and button events in the typing bridge's vocabulary: key
// symbols become the bridge's key codes and the text they type, modifier
// state becomes its modifier bits, and a modifier key becomes a change of
// flags. Pure functions; X11 types appear here as plain integers.

#include "platform/input/KeyboardEvents.hpp"

#include <cstdint>
#include <optional>
#include <string>

namespace zentrel::platform::x11 {

using KeySymbol = unsigned long;

// The bridge's key code of an editing or navigation key, or of V; -1 otherwise.
[[nodiscard]] int tapKeyCode(KeySymbol keysym);
// What the key types: empty for keys that type nothing.
[[nodiscard]] std::u16string typedText(KeySymbol keysym);
// The bridge's modifier bits of a core modifier state.
[[nodiscard]] std::uint64_t tapFlags(unsigned state);
// The core modifier bit a modifier key sets (0 for Caps Lock and the like);
// none for other keys.
[[nodiscard]] std::optional<unsigned> modifierBit(KeySymbol keysym);
// The key symbol that types one character.
[[nodiscard]] KeySymbol keysymForCharacter(char32_t character);

// A pressed or released key, with the modifier state before it.
[[nodiscard]] TapEvent tapEventForKey(bool pressed, KeySymbol keysym, unsigned state);
// A pressed pointer button (1 left, 3 right, others ignored).
[[nodiscard]] TapEvent tapEventForButton(unsigned button);

}  // namespace zentrel::platform::x11
