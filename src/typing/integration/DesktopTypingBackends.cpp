#include "typing/integration/DesktopTypingBackends.hpp"

namespace zentrel::typing {

DesktopTypingBackends::DesktopTypingBackends(platform::MainQueue& main, bool accessibilityBusReachable)
    : tap(main, echoes), elements(accessibilityBusReachable, [this] { return frontmost.current(); }) {}

}  // namespace zentrel::typing
