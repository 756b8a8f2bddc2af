#include "platform/desktop/DesktopSettingsPageOpener.hpp"

#include "platform/processes/DetachedProcess.hpp"
#include "platform/text/Warnings.hpp"

#include <array>
#include <cstdlib>
#include <sstream>

#include <unistd.h>

namespace zentrel::platform {

namespace {

// Settings addresses of the app, by a part of their text, and the desktop
// settings pages that serve the same purpose: GNOME's panel and KDE's
// module. Access to files is no setting here.
struct Page {
    std::string_view marker;
    std::string_view gnomePanel;
    std::string_view kdeModule;
};
constexpr std::array<Page, 3> kPages{{
    {"Privacy_Accessibility", "universal-access", "kcm_access"},
    {"Notifications-Settings", "notifications", "kcm_notifications"},
    {"Keyboard-Settings", "keyboard", "kcm_keyboard"},
}};

constexpr std::string_view kSettingsScheme = "x-apple.systempreferences:";

}  // namespace

DesktopSettingsPageOpener::DesktopSettingsPageOpener(const ProgramCheck& installed)
    : gnome_(installed("gnome-control-center")) {
    for (const char* program : {"systemsettings", "systemsettings5"}) {
        if (installed(program)) {
            kde_ = program;
            break;
        }
    }
}

bool DesktopSettingsPageOpener::isInPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        if (!folder.empty() && ::access((folder + "/" + program).c_str(), X_OK) == 0) return true;
    }
    return false;
}

std::optional<std::vector<std::string>> DesktopSettingsPageOpener::commandFor(std::string_view url) const {
    if (!url.starts_with(kSettingsScheme)) return std::vector<std::string>{"xdg-open", std::string(url)};
    for (const auto& page : kPages) {
        if (url.find(page.marker) == std::string_view::npos) continue;
        if (gnome_) return std::vector<std::string>{"gnome-control-center", std::string(page.gnomePanel)};
        if (kde_) return std::vector<std::string>{*kde_, std::string(page.kdeModule)};
    }
    return std::nullopt;
}

void DesktopSettingsPageOpener::open(std::string_view url) {
    const auto command = commandFor(url);
    if (!command) return;  // nothing here serves that page
    if (!launchDetached(*command)) warn("Could not open the settings page " + std::string(url));
}

}  // namespace zentrel::platform
