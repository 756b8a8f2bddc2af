#include "typing/integration/DesktopTypingBackends.hpp"

#include "platform/accessibility/AtspiAccessibilityElements.hpp"
#include "platform/input/X11FrontmostApplication.hpp"
#include "platform/input/X11Session.hpp"
#include "platform/input/X11SpareCodeMarks.hpp"

#include <utility>

namespace zentrel::typing {
namespace {

// Made on the worker's thread, which alone uses both.
std::unique_ptr<platform::AccessibilityElements> desktopElements(bool accessibilityBusReachable) {
    auto frontmost = std::make_shared<platform::x11::X11FrontmostApplication>();
    return std::make_unique<platform::AtspiAccessibilityElements>(accessibilityBusReachable,
                                                                  [frontmost] { return frontmost->current(); });
}

}  // namespace

DesktopTypingBackends::DesktopTypingBackends(platform::MainQueue& main,
                                             AccessibilityWorker::ReachCheck accessibilityBusReachable)
    : tap(main, echoes), accessibility(main, std::move(accessibilityBusReachable), desktopElements) {
    if (!platform::x11::isWaylandSession()) {
        leftoverCodes_ = std::thread([] { platform::x11::freeSpareCodesOfEndedRuns(std::string{}); });
    }
}

DesktopTypingBackends::~DesktopTypingBackends() {
    if (leftoverCodes_.joinable()) leftoverCodes_.join();
}

}  // namespace zentrel::typing
