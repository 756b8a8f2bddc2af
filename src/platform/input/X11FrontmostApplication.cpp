#include "platform/input/X11FrontmostApplication.hpp"

#include "platform/input/InputMethodClients.hpp"
#include "platform/input/X11Session.hpp"
#include "platform/processes/ProcessNames.hpp"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace zentrel::platform::x11 {
namespace {

constexpr int kMaximumWalk = 16;

// One 32-bit item of a window property; none when it is missing.
std::optional<unsigned long> cardinalProperty(Display* display, Window window, Atom property, Atom type) {
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::optional<unsigned long> value;
    if (XGetWindowProperty(display, window, property, 0, 1, False, type, &actualType, &format, &count, &after,
                           &data) == Success &&
        data != nullptr && format == 32 && count == 1) {
        value = *reinterpret_cast<unsigned long*>(data);
    }
    if (data != nullptr) XFree(data);
    return value;
}

}  // namespace

struct X11FrontmostApplication::Connection {
    Display* display;
    Atom activeWindow;
    Atom processID;

    explicit Connection(Display* opened)
        : display(opened),
          activeWindow(XInternAtom(opened, "_NET_ACTIVE_WINDOW", False)),
          processID(XInternAtom(opened, "_NET_WM_PID", False)) {}
    ~Connection() { XCloseDisplay(display); }
};

X11FrontmostApplication::X11FrontmostApplication(std::string displayName) : displayName_(std::move(displayName)) {}

X11FrontmostApplication::~X11FrontmostApplication() = default;

std::optional<FrontmostApplication> X11FrontmostApplication::current() {
    if (!connection_) {
        if (isWaylandSession()) return std::nullopt;
        useNonFatalErrorHandler();
        Display* display = XOpenDisplay(displayName_.empty() ? nullptr : displayName_.c_str());
        if (display == nullptr) return std::nullopt;
        connection_ = std::make_unique<Connection>(display);
    }
    Display* display = connection_->display;
    const Window root = DefaultRootWindow(display);
    Window window = cardinalProperty(display, root, connection_->activeWindow, XA_WINDOW).value_or(None);
    if (window == None) {
        int revert = 0;
        XGetInputFocus(display, &window, &revert);
    }
    for (int step = 0; step < kMaximumWalk && window != None && window != PointerRoot && window != root; ++step) {
        if (const auto pid = cardinalProperty(display, window, connection_->processID, XA_CARDINAL)) {
            const auto id = static_cast<std::int64_t>(*pid);
            return FrontmostApplication{programNameOfProcess(id), id, processReadsKeysThroughIBus(id)};
        }
        Window parent = None;
        Window rootReturn = None;
        Window* children = nullptr;
        unsigned count = 0;
        if (XQueryTree(display, window, &rootReturn, &parent, &children, &count) == 0) break;
        if (children != nullptr) XFree(children);
        window = parent;
    }
    return std::nullopt;
}

}  // namespace zentrel::platform::x11
