#include "platform/input/X11KeyEventPoster.hpp"

#include "platform/input/HeldKeys.hpp"
#include "platform/input/SpareKeyCodes.hpp"
#include "platform/input/X11KeyTranslation.hpp"
#include "platform/input/X11Session.hpp"
#include "platform/input/X11SpareCodeMarks.hpp"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <optional>
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

}  // namespace

struct X11KeyEventPoster::Connection {
    Display* display = nullptr;
    std::unique_ptr<SpareKeyCodes> spares;
    int xkbEventBase = -1;
    unsigned modifiers = 0;  // the keyboard's modifiers, as the server last announced them
    std::optional<HeldKeys> held;  // the keys down as this fix began; asked again after a flush

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
        freeSpareCodesOfEndedRuns(display);
        int first = 0;
        int last = 0;
        XDisplayKeycodes(display, &first, &last);
        int perCode = 0;
        KeySym* map = XGetKeyboardMapping(display, static_cast<KeyCode>(first), last - first + 1, &perCode);
        std::vector<unsigned> spareCodes;
        for (int code = first; map != nullptr && code <= last; ++code) {
            const KeySym* symbols = map + static_cast<std::ptrdiff_t>(code - first) * perCode;
            if (std::all_of(symbols, symbols + perCode, [](KeySym s) { return s == NoSymbol; })) {
                spareCodes.push_back(static_cast<unsigned>(code));
            }
        }
        if (map != nullptr) XFree(map);
        spares = std::make_unique<SpareKeyCodes>(std::move(spareCodes));
        XSync(display, False);
    }

    void unmap(KeyCode code) const {
        KeySym none[2] = {NoSymbol, NoSymbol};
        XChangeKeyboardMapping(display, code, 2, none, 1);
    }

    // Takes in the modifier notices that arrived.
    void readNotices() {
        while (XEventsQueued(display, QueuedAfterReading) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            const auto& notice = reinterpret_cast<const XkbEvent&>(event);
            if (event.type == xkbEventBase && notice.any.xkb_type == XkbStateNotify) modifiers = notice.state.mods;
            // A reloaded map: the keyboard's own keys are looked up in the new one.
            if (event.type == MappingNotify) XRefreshKeyboardMapping(&event.xmapping);
        }
    }

    // The keys the user holds, asked once per fix (one round trip, after
    // which the modifier notices sent before it are in as well).
    const HeldKeys& heldKeys() {
        if (!held) {
            HeldKeys::Bits bits{};
            XQueryKeymap(display, bits.data());
            held = HeldKeys(bits);
            readNotices();
        }
        return *held;
    }

    // The keyboard's own key of `keysym`: a spare code mapped to it does not count.
    [[nodiscard]] KeyCode ownCodeOf(KeySym keysym) const {
        int first = 0;
        int last = 0;
        XDisplayKeycodes(display, &first, &last);
        for (int level = 0; level < 2; ++level) {
            for (int code = first; code <= last; ++code) {
                const auto key = static_cast<KeyCode>(code);
                if (XkbKeycodeToKeysym(display, key, 0, level) == keysym && !isSpare(key)) return key;
            }
        }
        return 0;
    }

    // The keyboard's own key that types `keysym` with the modifiers held now
    // (the user's Shift and Caps Lock included); 0 when it has none or the user holds it.
    [[nodiscard]] KeyCode ownKeyFor(KeySym keysym) {
        const KeyCode code = ownCodeOf(keysym);
        if (code == 0 || heldKeys().isHeld(code)) return 0;
        unsigned int consumed = 0;
        KeySym typed = NoSymbol;
        if (!XkbLookupKeySym(display, code, modifiers, &consumed, &typed)) return 0;
        return typed == keysym ? code : 0;
    }

    [[nodiscard]] bool isSpare(KeyCode code) const { return spares->isSpare(code); }

    ~Connection() {
        for (unsigned code : spares->mappedCodes()) unmap(static_cast<KeyCode>(code));
        publishSpareCodeMark(display, {});
        XCloseDisplay(display);
    }

    // The key that types `keysym`: the keyboard's own key, else a spare code
    // (SpareKeyCodes). Code 0 when there is none.
    KeyCode keyFor(KeySym keysym) {
        if (const KeyCode own = ownKeyFor(keysym)) return own;
        const auto choice = spares->choose(keysym, std::chrono::steady_clock::now());
        if (!choice) return 0;
        if (choice->remap) {
            // The mark goes first: a reload of the map in between finds the
            // code marked and maps it again.
            publishSpareCodeMark(display, spares->mappings());
            // The server takes our requests in order: the key that follows
            // already types the new character, and every window hears of the
            // new map before that key.
            KeySym levels[2] = {choice->remap->withoutShift, choice->remap->withShift};
            XChangeKeyboardMapping(display, static_cast<int>(choice->code), 2, levels, 1);
        }
        return static_cast<KeyCode>(choice->code);
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
    // `changesText`: the key-down of a character or of the key itself, not of a modifier.
    const auto fake = [&](KeyCode code, bool pressed, bool changesText = false) {
        if (code == 0) return;
        echoes_.expect(code, pressed, changesText);
        XTestFakeKeyEvent(display, code, pressed ? True : False, CurrentTime);
    };

    if (event.keyCode == 0 && !event.unicode.empty()) {
        // Text is typed whole on the key-down; its key-up has nothing left to do.
        if (event.keyDown) {
            for (char32_t c : utf32(event.unicode)) {
                const KeyCode key = connection_->keyFor(keysymForCharacter(c));
                fake(key, true, true);
                fake(key, false);
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
    // A modifier the user holds is left down; a key the user holds goes
    // through a spare code, so that the user's own release still counts.
    const HeldKeys& held = connection_->heldKeys();
    std::vector<KeyCode> modifiers;
    const auto addModifier = [&](KeySym modifierKey) {
        const KeyCode m = XKeysymToKeycode(display, modifierKey);
        if (held.route(m, true) == HeldKeys::Route::ownKey) modifiers.push_back(m);
    };
    if ((event.flags & modifier::shift) != 0) addModifier(XK_Shift_L);
    if ((event.flags & (modifier::control | modifier::command)) != 0) addModifier(XK_Control_L);
    if ((event.flags & modifier::option) != 0) addModifier(XK_Alt_L);
    const KeyCode code = connection_->keyFor(keysym);
    if (event.keyDown) {
        for (KeyCode m : modifiers) fake(m, true);
        fake(code, true, true);
    } else {
        fake(code, false);
        for (auto m = modifiers.rbegin(); m != modifiers.rend(); ++m) fake(*m, false);
    }
}

void X11KeyEventPoster::flush() {
    if (!connection_) return;
    XFlush(connection_->display);
    connection_->held.reset();
}

void X11KeyEventPoster::sleepMicroseconds(std::uint32_t micros) {
    flush();
    std::this_thread::sleep_for(std::chrono::microseconds(micros));
}

}  // namespace zentrel::platform::x11
