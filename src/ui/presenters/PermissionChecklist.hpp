#pragma once
// What the permission checklist shows and does. Rows for the permissions
// that matter on this desktop: access to the home folder (the scans), the
// typing permission as the typing integration defines it (the key tap's
// X extensions on X11, the input method on Wayland) and notifications. A
// row that is not granted runs the step that works here; a hint under it
// says what else to do. Texts are translation keys.

#include "platform/settings/Observable.hpp"
#include "services/permissions/PermissionsManager.hpp"
#include "ui/presenters/TintToken.hpp"

#include <optional>
#include <string>
#include <vector>

namespace zentrel::ui {

// The typing permission of this session: what grants it and how to set it up.
class TypingPermission {
public:
    enum class Kind { keyTap, inputMethod };

    virtual ~TypingPermission() = default;
    [[nodiscard]] virtual Kind kind() const = 0;
    [[nodiscard]] virtual bool granted() const = 0;
    // The row's action: checks the key tap again, or installs the input method.
    virtual void setUp() = 0;
    // Calls `changed` whenever `granted` may have changed.
    [[nodiscard]] virtual platform::Subscription observe(std::function<void()> changed) = 0;
};

struct RestartHint {
    const char* text;
    // The relaunch button's title; none for a hint without one.
    const char* button;

    bool operator==(const RestartHint&) const = default;
};

struct PermissionRowModel {
    services::SystemPermission permission;
    const char* symbol;
    TintToken tint;
    std::string title;
    std::string detail;
    bool optional;
    bool granted;
    // Whether a row not granted offers "Enable": the notification row only
    // where the desktop's notification settings can be opened.
    bool offersEnable;
    std::optional<RestartHint> hint;
    bool dividerAfter;
};

struct PermissionStates {
    bool fullDiskAccess = false;
    bool typing = false;
    bool notifications = false;
    bool notificationSettings = true;  // the desktop's notification settings can be opened
};

// Full Disk Access alone, or all three with the typing and notification rows
// tagged "Optional"; a hint under each of the first two while not granted.
[[nodiscard]] std::vector<PermissionRowModel> permissionChecklistRows(bool includeOptional,
                                                                      const PermissionStates& states,
                                                                      TypingPermission::Kind typingKind);

// One reference on the manager's shared 2.0 s poll for as long as it lives.
class PermissionPollLease final {
public:
    explicit PermissionPollLease(services::PermissionsManager& permissions) : permissions_(permissions) {
        permissions_.beginPermissionPolling();
    }
    ~PermissionPollLease() { permissions_.endPermissionPolling(); }
    PermissionPollLease(const PermissionPollLease&) = delete;
    PermissionPollLease& operator=(const PermissionPollLease&) = delete;

private:
    services::PermissionsManager& permissions_;
};

// The checklist over the shared manager and the session's typing permission.
class PermissionChecklist final {
public:
    PermissionChecklist(services::PermissionsManager& permissions, TypingPermission& typing, bool includeOptional);

    [[nodiscard]] std::vector<PermissionRowModel> rows() const;
    // A click on a row that is not granted.
    void activate(services::SystemPermission permission);
    // Every published change of what the rows show.
    platform::Signal<> changed;

private:
    services::PermissionsManager& permissions_;
    TypingPermission& typing_;
    bool includeOptional_;
    std::vector<platform::Subscription> observers_;
};

}  // namespace zentrel::ui
