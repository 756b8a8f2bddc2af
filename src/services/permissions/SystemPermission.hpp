#pragma once
// The three system permissions the app asks for, with the text the permission
// screens show and the settings page where each is granted.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace zentrel::services {

enum class SystemPermission { fullDiskAccess, accessibility, notifications };

inline constexpr std::array<SystemPermission, 3> kAllSystemPermissions{
    SystemPermission::fullDiskAccess, SystemPermission::accessibility, SystemPermission::notifications};

// The string value, also the identifier: "fullDiskAccess", ...
[[nodiscard]] std::string_view rawValue(SystemPermission permission);
[[nodiscard]] std::optional<SystemPermission> systemPermissionFromRawValue(std::string_view raw);

// Localized title and one-line explanation.
[[nodiscard]] std::string title(SystemPermission permission);
[[nodiscard]] std::string detail(SystemPermission permission);
// The address of the settings page that grants the permission.
[[nodiscard]] std::string_view settingsURL(SystemPermission permission);

}  // namespace zentrel::services
