#pragma once
// The login item as a desktop entry in the XDG autostart folder
// ("~/.config/autostart"), which desktop sessions start at login.

#include "platform/desktop/LoginItemService.hpp"
#include "platform/text/Localization.hpp"

#include <filesystem>
#include <string>

namespace zentrel::platform {

class XdgAutostartLoginItem final : public LoginItemService {
public:
    // `configHome` is the XDG config folder; `executable` what the entry starts;
    // the entry is "<entryID>.desktop" and shows `name`.
    XdgAutostartLoginItem(std::filesystem::path configHome, std::filesystem::path executable,
                          std::string entryID = "com.torvane.zentrel", std::string name = N_("Zentrel"));

    [[nodiscard]] std::optional<std::string> registerApp() override;
    [[nodiscard]] std::optional<std::string> unregisterApp() override;
    [[nodiscard]] bool isRegistered() const override;

    [[nodiscard]] std::filesystem::path entryPath() const;

private:
    std::filesystem::path configHome_;
    std::filesystem::path executable_;
    std::string entryID_;
    std::string name_;
};

}  // namespace zentrel::platform
