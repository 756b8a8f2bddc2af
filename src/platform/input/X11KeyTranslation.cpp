#include "platform/input/X11KeyTranslation.hpp"

#include <X11/X.h>
#include <X11/keysym.h>

#include <array>
#include <utility>

namespace zentrel::platform::x11 {
namespace {

constexpr std::array<std::pair<KeySymbol, int>, 20> kKeyCodes = {{
    {XK_Shift_L, 56},   {XK_Shift_R, 60},   {XK_Caps_Lock, 57},
    {XK_BackSpace, 51}, {XK_Return, 36},    {XK_Tab, 48},   {XK_ISO_Left_Tab, 48}, {XK_Escape, 53},
    {XK_KP_Enter, 76},  {XK_Home, 115},     {XK_Prior, 116}, {XK_Delete, 117},     {XK_End, 119},
    {XK_Next, 121},     {XK_Left, 123},     {XK_Right, 124}, {XK_Down, 125},       {XK_Up, 126},
    {XK_v, 9},          {XK_V, 9},
}};

constexpr std::array<std::pair<KeySymbol, unsigned>, 13> kModifierKeys = {{
    {XK_Shift_L, ShiftMask},  {XK_Shift_R, ShiftMask},  {XK_Control_L, ControlMask}, {XK_Control_R, ControlMask},
    {XK_Alt_L, Mod1Mask},     {XK_Alt_R, Mod1Mask},     {XK_Meta_L, Mod1Mask},       {XK_Meta_R, Mod1Mask},
    {XK_Super_L, Mod4Mask},   {XK_Super_R, Mod4Mask},   {XK_Caps_Lock, 0},           {XK_ISO_Level3_Shift, 0},
    {XK_Num_Lock, 0},
}};

constexpr KeySymbol kUnicodeKeysyms = 0x01000000;

}  // namespace

int tapKeyCode(KeySymbol keysym) {
    for (const auto& [symbol, code] : kKeyCodes)
        if (symbol == keysym) return code;
    return -1;
}

std::u16string typedText(KeySymbol keysym) {
    char32_t c = 0;
    if ((keysym >= 0x20 && keysym <= 0x7e) || (keysym >= 0xa0 && keysym <= 0xff)) {
        c = static_cast<char32_t>(keysym);
    } else if (keysym >= XK_KP_0 && keysym <= XK_KP_9) {
        c = U'0' + static_cast<char32_t>(keysym - XK_KP_0);
    } else if (keysym > kUnicodeKeysyms + 0x9f && keysym <= kUnicodeKeysyms + 0x10ffff) {
        c = static_cast<char32_t>(keysym - kUnicodeKeysyms);
    }
    if (c == 0) return {};
    if (c < 0x10000) return std::u16string(1, static_cast<char16_t>(c));
    c -= 0x10000;
    return {static_cast<char16_t>(0xD800 + (c >> 10)), static_cast<char16_t>(0xDC00 + (c & 0x3FF))};
}

std::uint64_t tapFlags(unsigned state) {
    std::uint64_t flags = 0;
    if ((state & ShiftMask) != 0) flags |= modifier::shift;
    if ((state & ControlMask) != 0) flags |= modifier::control;
    if ((state & Mod1Mask) != 0) flags |= modifier::option;
    if ((state & Mod4Mask) != 0) flags |= modifier::command;
    return flags;
}

std::optional<unsigned> modifierBit(KeySymbol keysym) {
    for (const auto& [symbol, bit] : kModifierKeys)
        if (symbol == keysym) return bit;
    return std::nullopt;
}

KeySymbol keysymForCharacter(char32_t character) {
    if ((character >= 0x20 && character <= 0x7e) || (character >= 0xa0 && character <= 0xff)) return character;
    return kUnicodeKeysyms + character;
}

TapEvent tapEventForKey(bool pressed, KeySymbol keysym, unsigned state) {
    TapEvent event;
    if (const auto bit = modifierBit(keysym)) {
        // The flags after the change, as a modifier change reports them.
        event.type = TapEventType::flagsChanged;
        event.flags = tapFlags(pressed ? state | *bit : state & ~*bit);
        event.keyCode = tapKeyCode(keysym);
        return event;
    }
    event.flags = tapFlags(state);
    if (!pressed) {
        event.type = TapEventType::other;
        return event;
    }
    event.type = TapEventType::keyDown;
    event.keyCode = tapKeyCode(keysym);
    event.unicode = typedText(keysym);
    return event;
}

TapEvent tapEventForButton(unsigned button) {
    TapEvent event;
    event.type = button == Button1   ? TapEventType::leftMouseDown
                 : button == Button3 ? TapEventType::rightMouseDown
                                     : TapEventType::other;
    return event;
}

}  // namespace zentrel::platform::x11
