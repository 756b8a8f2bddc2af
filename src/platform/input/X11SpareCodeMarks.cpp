#include "platform/input/X11SpareCodeMarks.hpp"

#include "platform/input/SpareCodeMarks.hpp"
#include "platform/input/X11Session.hpp"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <set>

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

// This run's user, host and login session.
RunIdentity thisRun() {
    char host[HOST_NAME_MAX + 1] = {};
    if (::gethostname(host, sizeof host - 1) != 0) host[0] = '\0';
    const char* session = std::getenv("XDG_SESSION_ID");
    return runIdentity(static_cast<long>(::getuid()), host, session != nullptr ? session : "");
}

// The window whose life tells this run's mark from an ended one's: made on
// the connection that maps the codes, gone with it.
struct OwnMark {
    std::mutex mutex;
    Display* display = nullptr;
    Window window = None;
};
OwnMark& ownMark() {
    static OwnMark mark;
    return mark;
}

// The codes the keys of the keyboard's layout use, from the layout the
// server names; when it names none or it does not compile, every code counts as used.
LayoutUses layoutUsesOf(Display* display) {
    const auto everyCode = [](unsigned) { return true; };
    const Atom atom = XInternAtom(display, "_XKB_RULES_NAMES", True);
    if (atom == None) return everyCode;
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, DefaultRootWindow(display), atom, 0, 1024, False, XA_STRING, &type, &format, &count,
                           &remaining, &data) != Success || data == nullptr) {
        return everyCode;
    }
    // rules, model, layout, variant and options, each ended by a NUL.
    std::vector<std::string> fields;
    const std::string text(reinterpret_cast<const char*>(data), count);
    XFree(data);
    for (std::size_t start = 0; start <= text.size() && fields.size() < 5;) {
        const auto end = std::min(text.find('\0', start), text.size());
        fields.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    fields.resize(5);
    const std::unique_ptr<xkb_context, decltype(&xkb_context_unref)> context(
        xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES), xkb_context_unref);
    if (!context) return everyCode;
    const xkb_rule_names names{fields[0].c_str(), fields[1].c_str(), fields[2].c_str(), fields[3].c_str(),
                               fields[4].c_str()};
    const std::unique_ptr<xkb_keymap, decltype(&xkb_keymap_unref)> keymap(
        xkb_keymap_new_from_names(context.get(), &names, XKB_KEYMAP_COMPILE_NO_FLAGS), xkb_keymap_unref);
    if (!keymap) return everyCode;
    std::set<unsigned> used;
    for (xkb_keycode_t code = xkb_keymap_min_keycode(keymap.get()); code <= xkb_keymap_max_keycode(keymap.get()); ++code) {
        for (xkb_layout_index_t group = 0; group < xkb_keymap_num_layouts_for_key(keymap.get(), code); ++group) {
            for (xkb_level_index_t level = 0; level < xkb_keymap_num_levels_for_key(keymap.get(), code, group); ++level) {
                const xkb_keysym_t* symbols = nullptr;
                if (xkb_keymap_key_get_syms_by_level(keymap.get(), code, group, level, &symbols) > 0) used.insert(code);
            }
        }
    }
    return [used = std::move(used)](unsigned code) { return used.contains(code); };
}

// The windows of every connection to the display, children of the root window.
std::set<unsigned long> topLevelWindows(Display* display) {
    Window root = None;
    Window parent = None;
    Window* children = nullptr;
    unsigned int count = 0;
    std::set<unsigned long> windows;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0) return windows;
    windows.insert(children, children + count);
    if (children != nullptr) XFree(children);
    return windows;
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
    auto& own = ownMark();
    const std::lock_guard lock(own.mutex);
    if (mappings.empty()) {
        if (own.window == None || own.display != display) return;
        const Atom property = XInternAtom(display, spareCodeMarkName(::getpid(), own.window).c_str(), False);
        XDeleteProperty(display, DefaultRootWindow(display), property);
        XDestroyWindow(display, own.window);
        own.display = nullptr;
        own.window = None;
        return;
    }
    if (own.window == None) {
        XSetWindowAttributes attributes{};
        own.window = XCreateWindow(display, DefaultRootWindow(display), -1, -1, 1, 1, 0, 0, InputOnly, nullptr, 0,
                                   &attributes);
        own.display = display;
    }
    const Atom property = XInternAtom(display, spareCodeMarkName(::getpid(), own.window).c_str(), False);
    const auto values = encodeSpareCodeMark({::getpid(), own.window, thisRun(), mappings});
    XChangeProperty(display, DefaultRootWindow(display), property, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(values.data()), static_cast<int>(values.size()));
}

bool processIsRunning(long pid) { return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM; }

void freeSpareCodesOfEndedRuns(Display* display, const std::function<bool(long)>& isRunning) {
    int count = 0;
    Atom* properties = XListProperties(display, DefaultRootWindow(display), &count);
    if (properties == nullptr) return;
    std::vector<char*> names(static_cast<std::size_t>(count), nullptr);
    const bool named = count > 0 && XGetAtomNames(display, properties, count, names.data()) != 0;
    std::vector<Atom> marks;
    for (int i = 0; named && i < count; ++i) {
        if (spareCodeMarkOwner(names[static_cast<std::size_t>(i)])) marks.push_back(properties[i]);
        XFree(names[static_cast<std::size_t>(i)]);
    }
    XFree(properties);
    if (marks.empty()) return;
    // The layout is compiled before the grab: the server waits for no one meanwhile.
    const auto layoutUses = layoutUsesOf(display);
    const auto self = thisRun();
    const Window ownWindow = [] {
        const std::lock_guard lock(ownMark().mutex);
        return ownMark().window;
    }();
    whileGrabbed(display, [&] {
        const KeyMap map(display);
        const auto windows = topLevelWindows(display);
        for (const Atom property : marks) {
            const auto mark = readMark(display, property);
            if (!mark || (ownWindow != None && mark->window == ownWindow)) continue;
            if (!isMarkOfEndedRun(*mark, self, windows.contains(mark->window)) || isRunning(mark->pid)) continue;
            for (unsigned code : codesStillMarked(*mark, [&](unsigned c) { return map.levels(c); }, layoutUses)) {
                mapCode(display, code, NoSymbol, NoSymbol);
            }
            XDeleteProperty(display, DefaultRootWindow(display), property);
        }
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
    const Window window = [] {
        const std::lock_guard lock(ownMark().mutex);
        return ownMark().window;
    }();
    if (window == None) return;  // this run maps no code
    const Atom property = XInternAtom(display, spareCodeMarkName(::getpid(), window).c_str(), True);
    if (property == None) return;
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
