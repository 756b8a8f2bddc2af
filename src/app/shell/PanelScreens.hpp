#pragma once
// The screens of the first run and the settings, made for the window: the
// onboarding pager, the Full Disk Access screen, the settings page and the
// Settings window. They share one settings model (a change in the window
// shows on the page), the XDG autostart entry as the login item and this
// session's typing permission.

#include "app/shell/AppServices.hpp"
#include "app/shell/DesktopTypingPermission.hpp"
#include "platform/desktop/XdgAutostartLoginItem.hpp"
#include "ui/panels/SettingsContentView.hpp"
#include "ui/presenters/SettingsModel.hpp"

#include <QWidget>

#include <functional>
#include <memory>

namespace zentrel::app {

class PanelScreens final {
public:
    // `finishOnboarding` stores that onboarding is done and moves the window on.
    PanelScreens(AppServices& services, std::function<void()> finishOnboarding);
    ~PanelScreens();

    [[nodiscard]] QWidget* makeOnboarding();
    [[nodiscard]] QWidget* makeFullDiskAccessScreen();
    [[nodiscard]] QWidget* makeSettingsPage(QWidget* parent);
    // Preferences: the Settings window, always on General, first centred over `over`.
    void showSettingsWindow(const QWidget* over = nullptr);
    [[nodiscard]] ui::SettingsView* settingsWindow() const { return window_.get(); }

private:
    AppServices& services_;
    std::function<void()> finishOnboarding_;
    platform::XdgAutostartLoginItem loginItems_;
    DesktopTypingPermission typingPermission_;
    ui::SettingsModel settings_;
    std::unique_ptr<ui::SettingsView> window_;
};

}  // namespace zentrel::app
