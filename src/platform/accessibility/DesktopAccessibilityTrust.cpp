#include "platform/accessibility/DesktopAccessibilityTrust.hpp"

#include "platform/text/Warnings.hpp"
#include "platform/input/X11Session.hpp"

namespace zentrel::platform {

bool DesktopAccessibilityTrust::isProcessTrusted(bool prompt) {
    const auto missing = x11::keyTapUnavailableReason(displayName_);
    if (missing && prompt) warn(*missing);
    return !missing;
}

}  // namespace zentrel::platform
