#pragma once
// The typing permission as this session's typing integration defines it:
// on X11 the key tap may run (the X server offers RECORD and XTEST), which
// the permission manager keeps as its Accessibility flag; on Wayland no tap
// can run and typing goes through the input method, so the permission is
// that the input method is installed. Setting it up checks the tap again,
// or has the typing manager install the input method.

#include "services/permissions/PermissionsManager.hpp"
#include "typing/integration/VietIMEManager.hpp"
#include "ui/presenters/PermissionChecklist.hpp"

namespace zentrel::app {

class DesktopTypingPermission final : public ui::TypingPermission {
public:
    DesktopTypingPermission(services::PermissionsManager& permissions, platform::AccessibilityTrust& trust,
                            typing::VietIMEManager& typing, Kind kind);

    [[nodiscard]] Kind kind() const override { return kind_; }
    [[nodiscard]] bool granted() const override;
    void setUp() override;
    [[nodiscard]] platform::Subscription observe(std::function<void()> changed) override;

private:
    services::PermissionsManager& permissions_;
    platform::AccessibilityTrust& trust_;
    typing::VietIMEManager& typing_;
    Kind kind_;
};

}  // namespace zentrel::app
