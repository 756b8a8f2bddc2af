#include "platform/input/X11KeyboardEventTap.hpp"

#include "platform/input/TapEventQueue.hpp"
#include "platform/input/X11KeyTranslation.hpp"
#include "platform/input/X11Session.hpp"
#include "platform/input/X11SpareCodeMarks.hpp"
#include "platform/text/Warnings.hpp"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <X11/extensions/record.h>
#include <X11/keysym.h>

#include <thread>
#include <utility>

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace zentrel::platform::x11 {
namespace {

constexpr unsigned kShortcutModifiers = ShiftMask | ControlMask | Mod1Mask | Mod4Mask;
constexpr unsigned kChordModifiers = ShiftMask | ControlMask;
// The chord is grabbed with every combination of the lock modifiers.
constexpr unsigned kLockCombinations[] = {0, LockMask, Mod2Mask, LockMask | Mod2Mask};

}  // namespace

struct X11KeyboardEventTap::Recording {
    X11SyntheticEchoes& echoes;
    Display* control = nullptr;  // context, grabs, key maps; the thread's once it runs
    Display* data = nullptr;     // the recorded stream
    XRecordContext context = 0;
    KeyCode chordKey = 0;
    bool chordGrabbed = false;
    int xkbEvents = -1;
    int wake = -1;
    std::unique_ptr<TapEventQueue> events;  // queued events of a removed tap are dropped
    std::thread thread;

    explicit Recording(X11SyntheticEchoes& own) : echoes(own) {}

    ~Recording() {
        if (thread.joinable()) {
            const std::uint64_t one = 1;
            // A wake-up that cannot be written leaves the thread to see the tap's end itself.
            if (::write(wake, &one, sizeof one) < 0) {
            }
            thread.join();
        }
        if (events) events->stop();
        if (control != nullptr) {
            if (context != 0) {
                XRecordDisableContext(control, context);
                XRecordFreeContext(control, context);
            }
            if (chordKey != 0) {
                for (unsigned locks : kLockCombinations) {
                    XUngrabKey(control, chordKey, kChordModifiers | locks, DefaultRootWindow(control));
                }
            }
            XSync(control, False);
            XCloseDisplay(control);
        }
        if (data != nullptr) XCloseDisplay(data);
        if (wake >= 0) ::close(wake);
    }

    bool grabChord() {
        chordKey = XKeysymToKeycode(control, XK_v);
        if (chordKey == 0) return false;
        (void)takeLastErrorCode();
        for (unsigned locks : kLockCombinations) {
            XGrabKey(control, chordKey, kChordModifiers | locks, DefaultRootWindow(control), False, GrabModeAsync,
                     GrabModeAsync);
        }
        XSync(control, False);
        chordGrabbed = takeLastErrorCode() == 0;
        return chordGrabbed;
    }

    static void intercepted(XPointer closure, XRecordInterceptData* recorded) {
        auto* self = reinterpret_cast<Recording*>(closure);
        if (recorded->category == XRecordFromServer && recorded->data_len * 4 >= sizeof(xEvent)) {
            self->deliver(*reinterpret_cast<const xEvent*>(recorded->data));
        }
        XRecordFreeData(recorded);
    }

    void deliver(const xEvent& raw) {
        const int type = raw.u.u.type & 0x7f;
        const unsigned code = raw.u.u.detail;
        const unsigned state = raw.u.keyButtonPointer.state;
        TapEvent event;
        if (type == KeyPress || type == KeyRelease) {
            const bool pressed = type == KeyPress;
            const auto echo = echoes.take(code, pressed);
            if (echo == X11SyntheticEchoes::Echo::oursAndArrived) {
                events->push(TapEvent{TapEventType::postedKeyArrived});
            }
            if (echo != X11SyntheticEchoes::Echo::notOurs) return;
            KeySym keysym = NoSymbol;
            unsigned consumed = 0;
            if (XkbLookupKeySym(control, static_cast<KeyCode>(code), state, &consumed, &keysym) == 0) keysym = NoSymbol;
            event = tapEventForKey(pressed, keysym, state);
            if (event.type == TapEventType::other) return;
            // Only the grabbed chord stays away from the window.
            event.alreadyDelivered =
                !(chordGrabbed && pressed && code == chordKey && (state & kShortcutModifiers) == kChordModifiers);
        } else if (type == ButtonPress) {
            event = tapEventForButton(code);
            if (event.type == TapEventType::other) return;
            event.alreadyDelivered = true;
        } else {
            return;
        }
        events->push(std::move(event));
    }

    // A reload of the keyboard map (a layout switch, setxkbmap) empties the
    // spare codes the poster mapped: they are mapped again here, off the
    // window's thread, as soon as the server announces the new map.
    void watchKeyMap() {
        if (XkbQueryExtension(control, nullptr, &xkbEvents, nullptr, nullptr, nullptr)) {
            XkbSelectEvents(control, XkbUseCoreKbd, XkbMapNotifyMask, XkbMapNotifyMask);
        }
    }

    void run() {
        pollfd fds[3] = {{ConnectionNumber(data), POLLIN, 0}, {ConnectionNumber(control), POLLIN, 0}, {wake, POLLIN, 0}};
        // The map may have been reloaded while no tap watched it.
        bool mapChanged = true;
        for (;;) {
            XRecordProcessReplies(data);
            while (mapChanged || XPending(control) > 0) {
                while (XPending(control) > 0) {
                    XEvent event;
                    XNextEvent(control, &event);
                    if (event.type == MappingNotify) {
                        XRefreshKeyboardMapping(&event.xmapping);
                        mapChanged = true;
                    }
                    if (event.type == xkbEvents && reinterpret_cast<const XkbEvent&>(event).any.xkb_type == XkbMapNotify) {
                        mapChanged = true;
                    }
                }
                if (std::exchange(mapChanged, false)) mapEmptiedSpareCodesAgain(control);
            }
            if (::poll(fds, 3, -1) < 0 && errno != EINTR) return;
            if ((fds[2].revents & POLLIN) != 0) return;
        }
    }
};

X11KeyboardEventTap::X11KeyboardEventTap(MainQueue& main, X11SyntheticEchoes& echoes, std::string displayName)
    : main_(main), echoes_(echoes), displayName_(std::move(displayName)) {}

X11KeyboardEventTap::~X11KeyboardEventTap() { remove(); }

std::optional<std::string> X11KeyboardEventTap::unavailableReason() const {
    return keyTapUnavailableReason(displayName_);
}

bool X11KeyboardEventTap::isInstalled() const { return recording_ != nullptr; }

void X11KeyboardEventTap::remove() { recording_.reset(); }

bool X11KeyboardEventTap::install(Handler handler) {
    if (recording_) return true;
    if (keyTapUnavailableReason(displayName_)) return false;
    useNonFatalErrorHandler();
    const char* name = displayName_.empty() ? nullptr : displayName_.c_str();
    auto recording = std::make_unique<Recording>(echoes_);
    recording->control = XOpenDisplay(name);
    recording->data = XOpenDisplay(name);
    recording->wake = ::eventfd(0, EFD_CLOEXEC);
    if (recording->control == nullptr || recording->data == nullptr || recording->wake < 0) return false;

    XRecordClientSpec clients = XRecordAllClients;
    XRecordRange* range = XRecordAllocRange();
    if (range == nullptr) return false;
    range->device_events.first = KeyPress;
    range->device_events.last = ButtonPress;
    recording->context = XRecordCreateContext(recording->control, 0, &clients, 1, &range, 1);
    XFree(range);
    XSync(recording->control, False);
    if (recording->context == 0) return false;
    recording->watchKeyMap();
    if (!recording->grabChord()) warn("Another program holds control+shift+V: the typing toggle also reaches the window");

    recording->events = std::make_unique<TapEventQueue>(main_, std::move(handler));
    // An arrival first, of nothing: it tells the handler that arrivals are reported.
    recording->events->push(TapEvent{TapEventType::postedKeyArrived});
    if (XRecordEnableContextAsync(recording->data, recording->context, &Recording::intercepted,
                                  reinterpret_cast<XPointer>(recording.get())) == 0) {
        return false;
    }
    recording->thread = std::thread([raw = recording.get()] { raw->run(); });
    recording_ = std::move(recording);
    return true;
}

}  // namespace zentrel::platform::x11
