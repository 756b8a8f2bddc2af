#include "app/shell/PanelScreens.hpp"

#include "platform/input/X11Session.hpp"
#include "scanners/duplicates/MediaFingerprintStore.hpp"
#include "ui/panels/OnboardingView.hpp"
#include "ui/panels/PermissionView.hpp"

#include <QCoreApplication>
#include <QLocale>
#include <QUrl>

namespace zentrel::app {
namespace {

std::vector<std::string> preferredLanguages() {
    std::vector<std::string> languages;
    for (const auto& language : QLocale::system().uiLanguages()) languages.push_back(language.toStdString());
    return languages;
}

}  // namespace

PanelScreens::PanelScreens(AppServices& services, std::function<void()> finishOnboarding)
    : services_(services),
      finishOnboarding_(std::move(finishOnboarding)),
      loginItems_(services.layout.configHome, QCoreApplication::applicationFilePath().toStdString()),
      typingPermission_(*services.permissions, services.accessibilityTrust, *services.typing,
                        platform::x11::isWaylandSession() ? ui::TypingPermission::Kind::inputMethod
                                                          : ui::TypingPermission::Kind::keyTap),
      settings_({services.prefs, loginItems_,
                 [&services] {
                     services.notificationAuthorization.requestAuthorization({.alert = true, .sound = true},
                                                                             [](bool, const auto&) {});
                 },
                 // On the engine's executor: after a duplicate scan that is running, which would keep them again.
                 [&services] {
                     services.engine.executor().submit([path = scanners::mediaFingerprintStorePath(services.table)] {
                         (void)scanners::removeMediaFingerprintStore(path);
                     });
                 }}) {}

PanelScreens::~PanelScreens() = default;

QWidget* PanelScreens::makeOnboarding() {
    auto* onboarding = new ui::OnboardingView({*services_.permissions, typingPermission_, finishOnboarding_,
                                               [this] { services_.launchTiming.recordFirstInteractiveFrame(); },
                                               preferredLanguages(), services_.scanViewModel->categories()});
    return onboarding;
}

QWidget* PanelScreens::makeFullDiskAccessScreen() {
    auto* screen = new ui::PermissionView(
        {*services_.permissions, services_.main, services_.applicationDidBecomeActive,
         // Access on this desktop is the home folder's own permissions: show the folder.
         [this] { services_.settingsPages.open(QUrl::fromLocalFile(QString::fromStdString(services_.layout.home.string()))
                                                   .toString()
                                                   .toStdString()); },
         [this] { services_.launchTiming.recordFirstInteractiveFrame(); }});
    return screen;
}

QWidget* PanelScreens::makeSettingsPage(QWidget* parent) { return new ui::SettingsContentView(settings_, parent); }

void PanelScreens::showSettingsWindow(const QWidget* over) {
    if (!window_) window_ = std::make_unique<ui::SettingsView>(settings_);
    window_->present(over);
}

}  // namespace zentrel::app
