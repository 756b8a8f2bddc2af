#include "ui/presenters/PermissionChecklist.hpp"

#include "platform/text/Localization.hpp"

namespace zentrel::ui {
namespace {

using services::SystemPermission;

constexpr RestartHint kFullDiskAccessHint{
    N_("Enabled in Settings but still shows Enable? macOS only applies Full Disk Access after Zentrel restarts. After "
    "an update, toggle Zentrel OFF then ON."),
    "Quit & Reopen Zentrel"};
constexpr RestartHint kKeyTapHint{
    N_("Đã bật trong Settings mà vẫn hiện Enable? macOS chỉ áp dụng quyền Accessibility sau khi khởi động lại Zentrel."),
    N_("Khởi động lại Zentrel")};
// On Wayland no key tap can run: typing goes through the input method, which
// Enable installs; nothing needs a restart.
constexpr RestartHint kInputMethodHint{
    N_("Trên Wayland, Zentrel gõ tiếng Việt qua bộ gõ IBus. Bấm Enable để cài bộ gõ, rồi chọn Zentrel trong danh "
    "sách bộ gõ của IBus."),
    nullptr};

struct RowLook {
    const char* symbol;
    TintToken tint;
};

RowLook lookOf(SystemPermission permission) {
    switch (permission) {
    case SystemPermission::fullDiskAccess: return {"externaldrive.fill.badge.checkmark", TintToken::accent};
    case SystemPermission::accessibility: return {"keyboard.fill", TintToken::ai};
    case SystemPermission::notifications: return {"bell.badge.fill", TintToken::review};
    }
    return {"", TintToken::accent};
}

bool grantedIn(const PermissionStates& states, SystemPermission permission) {
    switch (permission) {
    case SystemPermission::fullDiskAccess: return states.fullDiskAccess;
    case SystemPermission::accessibility: return states.typing;
    case SystemPermission::notifications: return states.notifications;
    }
    return false;
}

std::optional<RestartHint> hintOf(SystemPermission permission, bool granted, TypingPermission::Kind typingKind) {
    if (granted) return std::nullopt;
    switch (permission) {
    case SystemPermission::fullDiskAccess: return kFullDiskAccessHint;
    case SystemPermission::accessibility:
        return typingKind == TypingPermission::Kind::keyTap ? kKeyTapHint : kInputMethodHint;
    case SystemPermission::notifications: break;
    }
    return std::nullopt;
}

}  // namespace

std::vector<PermissionRowModel> permissionChecklistRows(bool includeOptional, const PermissionStates& states,
                                                        TypingPermission::Kind typingKind) {
    std::vector<SystemPermission> shown{SystemPermission::fullDiskAccess};
    if (includeOptional) shown.assign(services::kAllSystemPermissions.begin(), services::kAllSystemPermissions.end());
    std::vector<PermissionRowModel> rows;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const auto permission = shown[i];
        const auto look = lookOf(permission);
        const bool granted = grantedIn(states, permission);
        const bool offersEnable =
            !granted && (permission != SystemPermission::notifications || states.notificationSettings);
        rows.push_back({permission, look.symbol, look.tint, services::title(permission), services::detail(permission),
                        permission != SystemPermission::fullDiskAccess, granted, offersEnable,
                        hintOf(permission, granted, typingKind), i + 1 < shown.size()});
    }
    return rows;
}

PermissionChecklist::PermissionChecklist(services::PermissionsManager& permissions, TypingPermission& typing,
                                         bool includeOptional)
    : permissions_(permissions), typing_(typing), includeOptional_(includeOptional) {
    const auto announce = [this](const bool&) { changed.emit(); };
    observers_.push_back(permissions_.fullDiskAccess.observe(announce));
    observers_.push_back(permissions_.notifications.observe(announce));
    observers_.push_back(typing_.observe([this] { changed.emit(); }));
}

std::vector<PermissionRowModel> PermissionChecklist::rows() const {
    return permissionChecklistRows(includeOptional_,
                                   {permissions_.fullDiskAccess(), typing_.granted(), permissions_.notifications(),
                                    permissions_.canOpenSettings(SystemPermission::notifications)},
                                   typing_.kind());
}

void PermissionChecklist::activate(services::SystemPermission permission) {
    switch (permission) {
    // No settings page grants access to the home folder: check it again.
    case SystemPermission::fullDiskAccess: permissions_.refresh(); break;
    case SystemPermission::accessibility: typing_.setUp(); break;
    case SystemPermission::notifications:
        if (permissions_.canOpenSettings(permission)) permissions_.request(permission);
        break;
    }
}

}  // namespace zentrel::ui
