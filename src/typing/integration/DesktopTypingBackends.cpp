#include "typing/integration/DesktopTypingBackends.hpp"

#include "platform/AtspiAccessibilityElements.hpp"
#include "platform/X11FrontmostApplication.hpp"

namespace zentrel::typing {
namespace {

// Made on the worker's thread, which alone uses both.
std::unique_ptr<platform::AccessibilityElements> desktopElements(bool accessibilityBusReachable) {
    auto frontmost = std::make_shared<platform::x11::X11FrontmostApplication>();
    return std::make_unique<platform::AtspiAccessibilityElements>(accessibilityBusReachable,
                                                                  [frontmost] { return frontmost->current(); });
}

}  // namespace

DesktopTypingBackends::DesktopTypingBackends(platform::MainQueue& main, bool accessibilityBusReachable)
    : tap(main, echoes),
      accessibility(main, [accessibilityBusReachable] { return desktopElements(accessibilityBusReachable); },
                    accessibilityBusReachable) {}

}  // namespace zentrel::typing
