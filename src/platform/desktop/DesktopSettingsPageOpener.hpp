#pragma once
// Settings pages on a Linux desktop: the app's settings addresses map to the
// matching page of the desktop's settings program, GNOME's or KDE's, when one
// is installed; an address with no such page here is never opened. Any other
// address goes to the desktop's URL opener. A program that cannot be started
// gives a warning.

#include "platform/desktop/SettingsPageOpener.hpp"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zentrel::platform {

class DesktopSettingsPageOpener final : public SettingsPageOpener {
public:
    // Whether a program of that name is installed.
    using ProgramCheck = std::function<bool(const std::string& program)>;

    // The settings programs are looked for once, here.
    explicit DesktopSettingsPageOpener(const ProgramCheck& installed = isInPath);

    void open(std::string_view url) override;
    [[nodiscard]] bool canOpen(std::string_view url) const override { return commandFor(url).has_value(); }

    // The command that shows `url`; none where this desktop has no such page.
    [[nodiscard]] std::optional<std::vector<std::string>> commandFor(std::string_view url) const;

    // An executable file of that name in one of the PATH folders.
    [[nodiscard]] static bool isInPath(const std::string& program);

private:
    bool gnome_ = false;
    std::optional<std::string> kde_;  // the KDE settings program's name
};

}  // namespace zentrel::platform
