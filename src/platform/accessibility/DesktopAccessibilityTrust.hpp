#pragma once
// Accessibility trust on a Linux desktop: the key tap may run, which on X11
// means the display offers RECORD (to observe keys) and XTEST (to type).
// A Wayland session never grants it. There is no system prompt; asking with
// a prompt prints what is missing.

#include "platform/accessibility/AccessibilityTrust.hpp"

#include <string>

namespace zentrel::platform {

class DesktopAccessibilityTrust final : public AccessibilityTrust {
public:
    // Empty display name: $DISPLAY.
    explicit DesktopAccessibilityTrust(std::string displayName = {}) : displayName_(std::move(displayName)) {}

    [[nodiscard]] bool isProcessTrusted(bool prompt) override;

private:
    std::string displayName_;
};

}  // namespace zentrel::platform
