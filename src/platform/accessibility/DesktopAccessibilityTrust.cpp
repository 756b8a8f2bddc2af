#include "platform/accessibility/DesktopAccessibilityTrust.hpp"

#include "platform/input/X11Session.hpp"
#include "platform/text/Warnings.hpp"

namespace zentrel::platform {

bool DesktopAccessibilityTrust::isProcessTrusted(bool prompt) {
    const auto missing = x11::keyTapUnavailableReason(displayName_);
    if (missing && prompt) warn(*missing);
    return !missing;
}

}  // namespace zentrel::platform
