#pragma once
// Settings pages on a Linux desktop: the app's settings addresses map to the
// matching panel of the desktop's settings program; any other address goes to
// the desktop's URL opener. A program that cannot be started gives a warning.

#include "platform/SettingsPageOpener.hpp"

#include <string>
#include <vector>

namespace zentrel::platform {

class DesktopSettingsPageOpener final : public SettingsPageOpener {
public:
    void open(std::string_view url) override;

    // The command that shows `url`.
    [[nodiscard]] static std::vector<std::string> commandFor(std::string_view url);
};

}  // namespace zentrel::platform
