#include "platform/DesktopSettingsPageOpener.hpp"

#include "platform/DetachedProcess.hpp"
#include "platform/Warnings.hpp"

#include <array>
#include <utility>

namespace zentrel::platform {

namespace {

// Settings addresses of the app, by a part of their text, and the desktop
// settings panel that serves the same purpose.
constexpr std::array<std::pair<std::string_view, std::string_view>, 4> kPanels{{
    {"Privacy_AllFiles", "privacy"},
    {"Privacy_Accessibility", "universal-access"},
    {"Notifications-Settings", "notifications"},
    {"Keyboard-Settings", "keyboard"},
}};

constexpr std::string_view kSettingsScheme = "x-apple.systempreferences:";

}  // namespace

std::vector<std::string> DesktopSettingsPageOpener::commandFor(std::string_view url) {
    if (url.starts_with(kSettingsScheme)) {
        for (const auto& [marker, panel] : kPanels) {
            if (url.find(marker) != std::string_view::npos) return {"gnome-control-center", std::string(panel)};
        }
        return {"gnome-control-center"};
    }
    return {"xdg-open", std::string(url)};
}

void DesktopSettingsPageOpener::open(std::string_view url) {
    if (!launchDetached(commandFor(url))) warn("Could not open the settings page " + std::string(url));
}

}  // namespace zentrel::platform
