#pragma once
// Opens a page of the system settings by its address (the permission pages,
// the keyboard input sources). Nothing is reported back.

#include <string_view>

namespace zentrel::platform {

class SettingsPageOpener {
public:
    virtual ~SettingsPageOpener() = default;
    virtual void open(std::string_view url) = 0;
    // Whether this desktop has a page for `url`; `open` does nothing otherwise.
    [[nodiscard]] virtual bool canOpen(std::string_view /*url*/) const { return true; }
};

}  // namespace zentrel::platform
