#include "app/shell/DesktopTypingPermission.hpp"

#include "platform/text/Warnings.hpp"

namespace zentrel::app {

DesktopTypingPermission::DesktopTypingPermission(services::PermissionsManager& permissions,
                                                 platform::AccessibilityTrust& trust, typing::VietIMEManager& typing,
                                                 Kind kind)
    : permissions_(permissions),
      trust_(trust),
      typing_(typing),
      kind_(kind) {}

bool DesktopTypingPermission::granted() const {
    return kind_ == Kind::keyTap ? permissions_.accessibility() : typing_.imkitInstalled();
}

void DesktopTypingPermission::setUp() {
    if (kind_ == Kind::keyTap) {
        // Nothing on this desktop grants the X extensions: check them again, and say what is missing.
        services::requestAccessibilityTrust(trust_);
        permissions_.refreshAccessibility();
        return;
    }
    typing_.installInputMethod([](std::optional<typing::ZentrelIMEInstaller::InstallResult> result) {
        if (!result) {
            platform::warn("IBus did not answer while the input method was installed");
        } else if (const auto* error = std::get_if<typing::ZentrelIMEInstaller::InstallError>(&*result)) {
            platform::warn(error->description());
        }
    });
}

platform::Subscription DesktopTypingPermission::observe(std::function<void()> changed) {
    if (kind_ == Kind::keyTap) return permissions_.accessibility.observe([changed](const bool&) { changed(); });
    return typing_.imkitInstalled.observe([changed](const bool&) { changed(); });
}

}  // namespace zentrel::app
