#include "services/permissions/SystemPermission.hpp"

#include <gtest/gtest.h>

namespace zentrel::services {
namespace {

TEST(SystemPermissionTest, RawValuesRoundTripInCaseOrder) {
    const char* expected[] = {"fullDiskAccess", "accessibility", "notifications"};
    for (std::size_t i = 0; i < kAllSystemPermissions.size(); ++i) {
        EXPECT_EQ(rawValue(kAllSystemPermissions[i]), expected[i]);
        EXPECT_EQ(systemPermissionFromRawValue(expected[i]), kAllSystemPermissions[i]);
    }
    EXPECT_FALSE(systemPermissionFromRawValue("FullDiskAccess").has_value());
    EXPECT_FALSE(systemPermissionFromRawValue("").has_value());
}

TEST(SystemPermissionTest, TextsAndSettingsPages) {
    EXPECT_EQ(title(SystemPermission::fullDiskAccess), "Full Disk Access");
    EXPECT_EQ(detail(SystemPermission::accessibility), "Enable the system-wide Vietnamese input method");
    EXPECT_EQ(detail(SystemPermission::notifications), "Let Zentrel tell you when a scan or clean finishes");
    EXPECT_EQ(settingsURL(SystemPermission::accessibility),
              "x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility");
}

}  // namespace
}  // namespace zentrel::services
