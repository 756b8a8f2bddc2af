#include "platform/DesktopAccessibilityTrust.hpp"

#include "platform/Warnings.hpp"
#include "platform/X11Session.hpp"

namespace zentrel::platform {

bool DesktopAccessibilityTrust::isProcessTrusted(bool prompt) {
    const auto missing = x11::keyTapUnavailableReason(displayName_);
    if (missing && prompt) warn(*missing);
    return !missing;
}

}  // namespace zentrel::platform
