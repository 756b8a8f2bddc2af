#pragma once
// Accessibility trust on a Linux desktop: granted when the desktop's
// accessibility bus is reachable on the session bus and the kernel's input
// injection device can be written. There is no system prompt; asking with a
// prompt prints what is missing.

#include "platform/AccessibilityTrust.hpp"
#include "platform/SessionBus.hpp"

#include <filesystem>

namespace zentrel::platform {

class DesktopAccessibilityTrust final : public AccessibilityTrust {
public:
    explicit DesktopAccessibilityTrust(const SessionBus& bus,
                                       std::filesystem::path inputDevice = "/dev/uinput");

    [[nodiscard]] bool isProcessTrusted(bool prompt) override;

private:
    const SessionBus& bus_;
    std::filesystem::path inputDevice_;
};

}  // namespace zentrel::platform
