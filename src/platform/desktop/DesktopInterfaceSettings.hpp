#pragma once
// The desktop's interface settings that the screens follow: whether the
// user asked for less motion and whether the desktop prefers dark. Read from
// GNOME's interface settings where they exist; without them, motion is on
// and the appearance is light.

#include <functional>
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

// Calls `changed` on the main thread whenever one interface setting changes,
// while the watch lives; nothing where the setting does not exist. Needs the
// GLib main loop (the window program's event loop runs it).
class InterfaceSettingWatch final {
public:
    InterfaceSettingWatch(std::string_view key, std::function<void()> changed);
    ~InterfaceSettingWatch();
    InterfaceSettingWatch(const InterfaceSettingWatch&) = delete;
    InterfaceSettingWatch& operator=(const InterfaceSettingWatch&) = delete;

private:
    std::function<void()> changed_;
    void* settings_ = nullptr;
    unsigned long handler_ = 0;
};

}  // namespace zentrel::platform
