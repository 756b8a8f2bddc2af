#include "platform/DesktopAccessibilityTrust.hpp"

#include "platform/Warnings.hpp"

#include <unistd.h>

namespace zentrel::platform {

namespace {
constexpr std::string_view kAccessibilityBusName = "org.a11y.Bus";
}  // namespace

DesktopAccessibilityTrust::DesktopAccessibilityTrust(const SessionBus& bus, std::filesystem::path inputDevice)
    : bus_(bus), inputDevice_(std::move(inputDevice)) {}

bool DesktopAccessibilityTrust::isProcessTrusted(bool prompt) {
    const bool canInject = ::access(inputDevice_.c_str(), W_OK) == 0;
    const bool hasAccessibilityBus = bus_.canReach(kAccessibilityBusName);
    if (prompt && !canInject) {
        warn("Typing needs write access to " + inputDevice_.string() +
             " (add the user to the group that owns it, or a udev rule)");
    }
    if (prompt && !hasAccessibilityBus) warn("Typing needs the desktop's accessibility services to be turned on");
    return canInject && hasAccessibilityBus;
}

}  // namespace zentrel::platform
