#include "services/permissions/SystemPermission.hpp"

#include "platform/text/Localization.hpp"

namespace zentrel::services {

namespace {

struct PermissionText {
    std::string_view raw;
    std::string_view title;
    std::string_view detail;
    std::string_view settingsURL;
};

constexpr std::array<PermissionText, 3> kTexts{{
    {"fullDiskAccess", N_("Full Disk Access"), N_("Scan and clean caches, logs, and app data across your Mac"),
     "x-apple.systempreferences:com.apple.preference.security?Privacy_AllFiles"},
    {"accessibility", N_("Accessibility"), N_("Enable the system-wide Vietnamese input method"),
     "x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility"},
    {"notifications", N_("Notifications"), N_("Let Zentrel tell you when a scan or clean finishes"),
     "x-apple.systempreferences:com.apple.Notifications-Settings.extension"},
}};

const PermissionText& textOf(SystemPermission permission) { return kTexts.at(static_cast<std::size_t>(permission)); }

}  // namespace

std::string_view rawValue(SystemPermission permission) { return textOf(permission).raw; }

std::optional<SystemPermission> systemPermissionFromRawValue(std::string_view raw) {
    for (auto permission : kAllSystemPermissions) {
        if (rawValue(permission) == raw) return permission;
    }
    return std::nullopt;
}

std::string title(SystemPermission permission) { return platform::localized(textOf(permission).title); }

std::string detail(SystemPermission permission) { return platform::localized(textOf(permission).detail); }

std::string_view settingsURL(SystemPermission permission) { return textOf(permission).settingsURL; }

}  // namespace zentrel::services
