#pragma once
// What the X11 key tap needs from the session: an X display with the RECORD
// extension (to observe keys) and XTEST (to type), and a session that is not
// Wayland, where an X display reaches only the windows of older programs.

#include <optional>
#include <string>

namespace zentrel::platform::x11 {

// Why no key tap can run on the display (empty name: $DISPLAY); none when it can.
[[nodiscard]] std::optional<std::string> keyTapUnavailableReason(const std::string& displayName = {});

// True when the desktop session is Wayland (XDG_SESSION_TYPE, else WAYLAND_DISPLAY).
[[nodiscard]] bool isWaylandSession();

// Makes X protocol errors non-fatal for this process (Xlib's default handler
// exits); returns the code of the last error seen and clears it.
void useNonFatalErrorHandler();
[[nodiscard]] int takeLastErrorCode();

}  // namespace zentrel::platform::x11
