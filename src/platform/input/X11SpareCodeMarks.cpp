#include "platform/input/X11SpareCodeMarks.hpp"

#include "platform/input/SpareCodeMarks.hpp"
#include "platform/input/X11Session.hpp"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include <signal.h>
#include <unistd.h>

namespace zentrel::platform::x11 {
namespace {

// The display's whole key map, read once.
class KeyMap {
public:
    explicit KeyMap(Display* display) {
        XDisplayKeycodes(display, &first_, &last_);
        symbols_ = XGetKeyboardMapping(display, static_cast<KeyCode>(first_), last_ - first_ + 1, &perCode_);
    }
    ~KeyMap() {
        if (symbols_ != nullptr) XFree(symbols_);
    }
    KeyMap(const KeyMap&) = delete;
    KeyMap& operator=(const KeyMap&) = delete;

    [[nodiscard]] KeyLevels levels(unsigned code) const {
        if (symbols_ == nullptr || perCode_ < 2 || static_cast<int>(code) < first_ || static_cast<int>(code) > last_) {
            return {0, 0, false};  // unknown: never ours to touch
        }
        const KeySym* s = symbols_ + static_cast<std::ptrdiff_t>(static_cast<int>(code) - first_) * perCode_;
        return {s[0], s[1], std::all_of(s, s + perCode_, [](KeySym k) { return k == NoSymbol; })};
    }

private:
    int first_ = 0;
    int last_ = 0;
    int perCode_ = 0;
    KeySym* symbols_ = nullptr;
};

std::optional<SpareCodeMark> readMark(Display* display, Atom property) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, DefaultRootWindow(display), property, 0, 4096, False, XA_CARDINAL, &type, &format,
                           &count, &remaining, &data) != Success) {
        return std::nullopt;
    }
    std::vector<long> values;
    if (type == XA_CARDINAL && format == 32 && data != nullptr) {
        const auto* longs = reinterpret_cast<const long*>(data);
        values.assign(longs, longs + count);
    }
    if (data != nullptr) XFree(data);
    return decodeSpareCodeMark(values);
}

void mapCode(Display* display, unsigned code, KeySym withoutShift, KeySym withShift) {
    KeySym levels[2] = {withoutShift, withShift};
    XChangeKeyboardMapping(display, static_cast<int>(code), 2, levels, 1);
}

// Runs `work` with the server grabbed and waits until the server did it all.
template <typename Work>
void whileGrabbed(Display* display, Work work) {
    XGrabServer(display);
    work();
    XUngrabServer(display);
    XSync(display, False);
}

}  // namespace

void publishSpareCodeMark(Display* display, const std::vector<SpareKeyCodes::Mapping>& mappings) {
    const Atom property = XInternAtom(display, spareCodeMarkName(::getpid()).c_str(), False);
    if (mappings.empty()) {
        XDeleteProperty(display, DefaultRootWindow(display), property);
        return;
    }
    const auto values = encodeSpareCodeMark({::getpid(), mappings});
    XChangeProperty(display, DefaultRootWindow(display), property, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(values.data()), static_cast<int>(values.size()));
}

bool processIsRunning(long pid) { return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM; }

void freeSpareCodesOfEndedRuns(Display* display, const std::function<bool(long)>& isRunning) {
    whileGrabbed(display, [&] {
        int count = 0;
        Atom* properties = XListProperties(display, DefaultRootWindow(display), &count);
        if (properties == nullptr) return;
        std::vector<char*> names(static_cast<std::size_t>(count), nullptr);
        const bool named = count > 0 && XGetAtomNames(display, properties, count, names.data()) != 0;
        const KeyMap map(display);
        for (int i = 0; named && i < count; ++i) {
            const auto owner = spareCodeMarkOwner(names[static_cast<std::size_t>(i)]);
            XFree(names[static_cast<std::size_t>(i)]);
            if (!owner || *owner == ::getpid() || isRunning(*owner)) continue;
            if (const auto mark = readMark(display, properties[i])) {
                for (unsigned code : codesStillMarked(*mark, [&](unsigned c) { return map.levels(c); })) {
                    mapCode(display, code, NoSymbol, NoSymbol);
                }
            }
            XDeleteProperty(display, DefaultRootWindow(display), properties[i]);
        }
        XFree(properties);
    });
}

void freeSpareCodesOfEndedRuns(const std::string& displayName) {
    useNonFatalErrorHandler();
    Display* display = XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str());
    if (display == nullptr) return;
    freeSpareCodesOfEndedRuns(display);
    XCloseDisplay(display);
}

void mapEmptiedSpareCodesAgain(Display* display) {
    const Atom property = XInternAtom(display, spareCodeMarkName(::getpid()).c_str(), True);
    if (property == None) return;  // this run never mapped a code
    whileGrabbed(display, [&] {
        const auto mark = readMark(display, property);
        if (!mark) return;
        const KeyMap map(display);
        for (const auto& m : mappingsEmptied(*mark, [&](unsigned c) { return map.levels(c); })) {
            mapCode(display, m.code, m.withoutShift, m.withShift);
        }
    });
}

}  // namespace zentrel::platform::x11
