#include "platform/X11KeyEventPoster.hpp"

#include "platform/X11KeyTranslation.hpp"
#include "platform/X11Session.hpp"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <thread>
#include <vector>

namespace zentrel::platform::x11 {
namespace {

constexpr int kKeyV = 9;
constexpr int kKeyDelete = 51;
constexpr int kKeyLeft = 123;

std::u32string utf32(const std::u16string& units) {
    std::u32string text;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t unit = units[i];
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < units.size()) {
            text.push_back(0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (units[++i] - 0xDC00));
        } else {
            text.push_back(unit);
        }
    }
    return text;
}

// A key that types one cased letter at both levels, as a spare code is
// mapped here: left over by a run that ended without unmapping it (a layout
// gives a letter's two cases on its two levels).
bool isLeftoverSpare(const KeySym* symbols, int perCode) {
    if (perCode < 2 || symbols[0] == NoSymbol || symbols[0] != symbols[1]) return false;
    // The server repeats it for the other groups.
    if (!std::all_of(symbols + 2, symbols + perCode, [&](KeySym s) { return s == NoSymbol || s == symbols[0]; })) {
        return false;
    }
    KeySym lower = NoSymbol;
    KeySym upper = NoSymbol;
    XConvertCase(symbols[0], &lower, &upper);
    return lower != upper;
}

}  // namespace

struct X11KeyEventPoster::Connection {
    struct SpareCode {
        KeyCode code;
        KeySym mapped = NoSymbol;
        unsigned long useCount = 0;
    };

    Display* display = nullptr;
    std::vector<SpareCode> spares;
    int xkbEventBase = -1;
    unsigned modifiers = 0;  // the keyboard's modifiers, as the server last announced them

    explicit Connection(Display* opened) : display(opened) {
        // The modifiers are followed through the server's notices rather
        // than asked for each character, which would wait a round trip.
        int opcode = 0;
        int error = 0;
        if (XkbQueryExtension(display, &opcode, &xkbEventBase, &error, nullptr, nullptr)) {
            XkbSelectEventDetails(display, XkbUseCoreKbd, XkbStateNotify, XkbModifierStateMask, XkbModifierStateMask);
            XkbStateRec state{};
            if (XkbGetState(display, XkbUseCoreKbd, &state) == Success) modifiers = state.mods;
        }
        int first = 0;
        int last = 0;
        XDisplayKeycodes(display, &first, &last);
        int perCode = 0;
        KeySym* map = XGetKeyboardMapping(display, static_cast<KeyCode>(first), last - first + 1, &perCode);
        for (int code = first; map != nullptr && code <= last; ++code) {
            const KeySym* symbols = map + static_cast<std::ptrdiff_t>(code - first) * perCode;
            const bool leftover = isLeftoverSpare(symbols, perCode);
            if (leftover || std::all_of(symbols, symbols + perCode, [](KeySym s) { return s == NoSymbol; })) {
                spares.push_back({static_cast<KeyCode>(code)});
            }
            if (leftover) unmap(static_cast<KeyCode>(code));
        }
        if (map != nullptr) XFree(map);
        XSync(display, False);
    }

    void unmap(KeyCode code) const {
        KeySym none[2] = {NoSymbol, NoSymbol};
        XChangeKeyboardMapping(display, code, 2, none, 1);
    }

    // Takes in the notices that arrived: new modifiers, and key maps that
    // another program changed (our own changes of spare codes are known).
    void readNotices() {
        while (XEventsQueued(display, QueuedAfterReading) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == xkbEventBase) {
                const auto& notice = reinterpret_cast<const XkbEvent&>(event);
                if (notice.any.xkb_type == XkbStateNotify) modifiers = notice.state.mods;
            } else if (event.type == MappingNotify && !isOwnRemap(event.xmapping)) {
                XRefreshKeyboardMapping(&event.xmapping);
            }
        }
    }

    [[nodiscard]] bool isOwnRemap(const XMappingEvent& change) const {
        return change.request == MappingKeyboard && change.count == 1 && isSpare(static_cast<KeyCode>(change.first_keycode));
    }

    // The keyboard's own key that types `keysym` with the modifiers held now
    // (the user's Shift and Caps Lock included); 0 when it has none.
    [[nodiscard]] KeyCode ownKeyFor(KeySym keysym) const {
        const KeyCode code = XKeysymToKeycode(display, keysym);
        if (code == 0 || isSpare(code)) return 0;
        unsigned int consumed = 0;
        KeySym typed = NoSymbol;
        if (!XkbLookupKeySym(display, code, modifiers, &consumed, &typed)) return 0;
        return typed == keysym ? code : 0;
    }

    [[nodiscard]] bool isSpare(KeyCode code) const {
        return std::any_of(spares.begin(), spares.end(), [&](const SpareCode& s) { return s.code == code; });
    }

    ~Connection() {
        for (auto& spare : spares) {
            if (spare.mapped != NoSymbol) unmap(spare.code);
        }
        XCloseDisplay(display);
    }

    // A key code that types `keysym`: the keyboard's own key, else a spare
    // code mapped to it at both levels, kept for the session; the least used
    // one is remapped when none is free. 0 when there is none.
    KeyCode codeFor(KeySym keysym) {
        if (const KeyCode own = ownKeyFor(keysym)) return own;
        if (spares.empty()) return 0;
        auto found = std::find_if(spares.begin(), spares.end(), [&](const SpareCode& s) { return s.mapped == keysym; });
        if (found == spares.end()) {
            found = std::min_element(spares.begin(), spares.end(), [](const SpareCode& a, const SpareCode& b) {
                return (a.mapped != NoSymbol) < (b.mapped != NoSymbol) ||
                       ((a.mapped != NoSymbol) == (b.mapped != NoSymbol) && a.useCount < b.useCount);
            });
            // The server takes our requests in order: the key that follows
            // already types the new character, and every window hears of the
            // new map before that key.
            KeySym both[2] = {keysym, keysym};
            XChangeKeyboardMapping(display, found->code, 2, both, 1);
            found->mapped = keysym;
            found->useCount = 0;
        }
        ++found->useCount;
        return found->code;
    }
};

X11KeyEventPoster::X11KeyEventPoster(X11SyntheticEchoes& echoes, std::string displayName)
    : echoes_(echoes), displayName_(std::move(displayName)) {}

X11KeyEventPoster::~X11KeyEventPoster() = default;

void X11KeyEventPoster::post(const SyntheticKeyEvent& event, PostTarget) {
    if (!connection_) {
        useNonFatalErrorHandler();
        Display* display = XOpenDisplay(displayName_.empty() ? nullptr : displayName_.c_str());
        if (display == nullptr) return;
        connection_ = std::make_unique<Connection>(display);
    }
    Display* display = connection_->display;
    connection_->readNotices();
    const auto fake = [&](KeyCode code, bool pressed) {
        if (code == 0) return;
        echoes_.expect(code, pressed);
        XTestFakeKeyEvent(display, code, pressed ? True : False, CurrentTime);
    };

    if (event.keyCode == 0 && !event.unicode.empty()) {
        // Text is typed whole on the key-down; its key-up has nothing left to do.
        if (event.keyDown) {
            for (char32_t c : utf32(event.unicode)) {
                const KeyCode code = connection_->codeFor(keysymForCharacter(c));
                fake(code, true);
                fake(code, false);
            }
        }
        return;
    }

    KeySym keysym = NoSymbol;
    if (event.keyCode == kKeyDelete) keysym = XK_BackSpace;
    if (event.keyCode == kKeyLeft) keysym = XK_Left;
    if (event.keyCode == kKeyV) keysym = XK_v;
    if (keysym == NoSymbol) return;
    // The shortcut key of this desktop is control, where the bridge says command.
    std::vector<KeyCode> modifiers;
    if ((event.flags & modifier::shift) != 0) modifiers.push_back(XKeysymToKeycode(display, XK_Shift_L));
    if ((event.flags & (modifier::control | modifier::command)) != 0) {
        modifiers.push_back(XKeysymToKeycode(display, XK_Control_L));
    }
    if ((event.flags & modifier::option) != 0) modifiers.push_back(XKeysymToKeycode(display, XK_Alt_L));
    const KeyCode code = XKeysymToKeycode(display, keysym);
    if (event.keyDown) {
        for (KeyCode m : modifiers) fake(m, true);
        fake(code, true);
    } else {
        fake(code, false);
        for (auto m = modifiers.rbegin(); m != modifiers.rend(); ++m) fake(*m, false);
    }
}

void X11KeyEventPoster::flush() {
    if (connection_) XFlush(connection_->display);
}

void X11KeyEventPoster::sleepMicroseconds(std::uint32_t micros) {
    flush();
    std::this_thread::sleep_for(std::chrono::microseconds(micros));
}

}  // namespace zentrel::platform::x11
