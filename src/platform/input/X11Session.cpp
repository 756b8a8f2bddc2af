#include "platform/input/X11Session.hpp"

#include "platform/text/Localization.hpp"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/record.h>

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <string_view>

namespace zentrel::platform::x11 {
namespace {

std::atomic<int> lastErrorCode{0};

int recordError(Display*, XErrorEvent* error) {
    lastErrorCode = error->error_code;
    return 0;
}

}  // namespace

bool isWaylandSession() {
    if (const char* type = std::getenv("XDG_SESSION_TYPE"); type != nullptr && *type != '\0') {
        return std::string_view(type) == "wayland";
    }
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return wayland != nullptr && *wayland != '\0';
}

std::optional<std::string> keyTapUnavailableReason(const std::string& displayName) {
    if (isWaylandSession()) {
        return N_("The key tap works only in an X11 session; on Wayland, type through the input method");
    }
    Display* display = XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str());
    if (display == nullptr) return N_("No X display can be opened for the key tap");
    int major = 0;
    int minor = 0;
    int event = 0;
    int error = 0;
    const bool record = XRecordQueryVersion(display, &major, &minor) != 0;
    const bool test = XTestQueryExtension(display, &event, &error, &major, &minor) != 0;
    XCloseDisplay(display);
    if (!record || !test) return N_("The X server lacks the RECORD or XTEST extension the key tap needs");
    return std::nullopt;
}

void useNonFatalErrorHandler() {
    static std::once_flag installed;
    std::call_once(installed, [] { XSetErrorHandler(recordError); });
}

int takeLastErrorCode() { return lastErrorCode.exchange(0); }

}  // namespace zentrel::platform::x11
