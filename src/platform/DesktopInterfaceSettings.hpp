#pragma once
// The desktop's interface settings that the screens follow: whether the
// user asked for less motion and whether the desktop prefers dark. Read from
// GNOME's interface settings where they exist; without them, motion is on
// and the appearance is light.

#include <optional>
#include <string>
#include <string_view>

namespace zentrel::platform {

// A setting of "org.gnome.desktop.interface"; none when the schema or key is missing.
[[nodiscard]] std::optional<bool> interfaceBoolean(std::string_view key);
[[nodiscard]] std::optional<std::string> interfaceString(std::string_view key);

// "enable-animations" turned off.
[[nodiscard]] bool desktopPrefersReducedMotion();
// "color-scheme" set to "prefer-dark".
[[nodiscard]] bool desktopPrefersDark();

}  // namespace zentrel::platform
