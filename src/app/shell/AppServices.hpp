#pragma once
// Every long-lived object of the window program, made once in dependency
// order over one host layout: the engine and its scanners, the settings,
// the scan view model, permissions, notifications, the typing manager, the
// intent bridge, the monitors and the uninstaller. The updater is made on
// first use, as the main window's start-up asks for it.

#include "app/shell/QtClipboard.hpp"
#include "app/shell/QtMainQueue.hpp"
#include "engine/CleanerEngine.hpp"
#include "model/SharedEcosystemState.hpp"
#include "model/UserPreferences.hpp"
#include "platform/accessibility/DesktopAccessibilityTrust.hpp"
#include "platform/concurrency/SerialExecutor.hpp"
#include "platform/concurrency/TaskPool.hpp"
#include "platform/desktop/DesktopNotificationAuthorization.hpp"
#include "platform/desktop/DesktopNotificationCenter.hpp"
#include "platform/desktop/DesktopSettingsPageOpener.hpp"
#include "platform/desktop/FocusStatusCenter.hpp"
#include "platform/desktop/NotificationsOnWorker.hpp"
#include "platform/desktop/PreviewPanel.hpp"
#include "platform/desktop/SessionBus.hpp"
#include "platform/desktop/SessionBusNotificationCenter.hpp"
#include "platform/desktop/SessionBusNotificationWatch.hpp"
#include "platform/desktop/WidgetCenter.hpp"
#include "platform/files/ICloudFileStatus.hpp"
#include "platform/files/PosixFileSystem.hpp"
#include "platform/input/X11ActiveWindowWatch.hpp"
#include "platform/places/HostLayout.hpp"
#include "platform/places/HostTable.hpp"
#include "platform/processes/ProcessAppInstanceLauncher.hpp"
#include "platform/settings/JsonFileDefaultsStore.hpp"
#include "scanners/privacy/PrivacyCookieStore.hpp"
#include "scanners/privacy/SweepJournal.hpp"
#include "services/apps/AppUninstaller.hpp"
#include "services/desktop/FocusModeManager.hpp"
#include "services/desktop/LaunchTiming.hpp"
#include "services/desktop/NotificationManager.hpp"
#include "services/energy/EnergySampler.hpp"
#include "services/energy/EnergyStore.hpp"
#include "services/energy/PowercapEnergyReportSource.hpp"
#include "services/energy/SysfsPowerSourceMonitor.hpp"
#include "services/energy/SystemPowerSampler.hpp"
#include "services/permissions/HomeFullDiskAccessProbe.hpp"
#include "services/permissions/PermissionsManager.hpp"
#include "services/processes/ActiveProcessTracker.hpp"
#include "services/processes/KillProcessSignaller.hpp"
#include "services/processes/LinuxWorkspace.hpp"
#include "services/processes/ProcessSampler.hpp"
#include "services/processes/ProcfsSystemStatistics.hpp"
#include "services/updates/NetworkAppcastTransport.hpp"
#include "services/updates/UpdateUserDriver.hpp"
#include "services/updates/UpdaterManager.hpp"
#include "typing/integration/DefaultsInjectionRuleStore.hpp"
#include "typing/integration/DesktopTypingBackends.hpp"
#include "typing/integration/IMEEventBridge.hpp"
#include "typing/integration/VietIMEManager.hpp"
#include "typing/integration/ZentrelIMEInstaller.hpp"
#include "viewmodels/CleanerEngineScanEngine.hpp"
#include "viewmodels/IntentBridge.hpp"
#include "viewmodels/ScanViewModel.hpp"
#include "viewmodels/SweepRestorer.hpp"

#include <QObject>

#include <memory>

namespace zentrel::app {

class AppServices final {
public:
    // `context` is the application object: queued jobs and timers live on it.
    AppServices(QObject& context, platform::HostLayout layout, platform::HostPlatform hostPlatform,
                services::UpdateUserDriver& updateDriver);
    AppServices(const AppServices&) = delete;
    AppServices& operator=(const AppServices&) = delete;
    ~AppServices();

    // Made on first use; the environment's ZENTREL_FEED_URL, when set, names its feed.
    [[nodiscard]] services::UpdaterManager& updater();
    // The updater when it was made already; never makes it.
    [[nodiscard]] services::UpdaterManager* existingUpdater() { return updater_.get(); }

    const platform::HostLayout layout;
    // Where the scan, the cookie stores and the guard find things on this desktop.
    const platform::HostTable table;
    // Made before the pool, which finishes the journal's last purge before it goes.
    scanners::SweepJournal journal;
    QtMainQueue main;
    platform::TaskPool pool{4};
    platform::PosixFileSystem& fileSystem;
    platform::NoICloudFileStatus icloud;
    QtClipboard clipboard;
    platform::SessionBus bus;
    // Desktop calls a click waits for, kept off the pool a scan may fill.
    platform::TaskPool desktopCalls{1};
    platform::SessionBusPreviewPanel previewPanel{desktopCalls, main, platform::askSessionPreviewer};

    platform::JsonFileDefaultsStore standardDefaults;
    // Made early: the launch is timed from here.
    services::LaunchTiming launchTiming;
    platform::JsonFileDefaultsStore appGroupDefaults;
    model::SharedEcosystemState sharedState;
    model::UserPreferences prefs;

    engine::CleanerEngine engine;
    scanners::PrivacyCookieStore cookieStore;
    engine::CleanServices cleanServices;

    platform::UserNotificationsOnWorker notificationCenter;
    services::NotificationManager notifications;
    platform::NoWidgetCenter widgets;
    viewmodels::CleanerEngineScanEngine scanEngine;
    viewmodels::JournalSweepRestorer restorer;
    std::shared_ptr<viewmodels::ScanViewModel> scanViewModel;
    viewmodels::IntentBridge intents;

    platform::Signal<> applicationDidBecomeActive;
    platform::Signal<> accessibilityTrustChanged;
    platform::Signal<> applicationActivated;
    services::HomeFullDiskAccessProbe fullDiskAccessProbe;
    platform::DesktopAccessibilityTrust accessibilityTrust;
    platform::DesktopNotificationAuthorization notificationAuthorization;
    platform::DesktopSettingsPageOpener settingsPages;
    platform::ProcessAppInstanceLauncher appLauncher;
    std::unique_ptr<services::PermissionsManager> permissions;

    typing::DefaultsInjectionRuleStore ruleStore;
    typing::DesktopTypingBackends desktopTyping;
    typing::IMEEventBridge typingBridge;
    platform::DistributedNotificationsOnWorker distributedNotifications;
    std::unique_ptr<typing::VietIMEManager> typing;
    // The input method's requests to the typing manager (control+shift+V in a program).
    std::unique_ptr<platform::SessionBusNotificationWatch> typingRequests;
    // Another window came to the front: the typing manager reads its context at once.
    std::unique_ptr<platform::x11::X11ActiveWindowWatch> activeWindowWatch;
    typing::ZentrelIMEInstaller imeInstaller;
    // IBus's questions and the installer's steps, one at a time in order.
    platform::SerialExecutor inputMethodQueue{pool};

    services::ProcfsSystemStatistics statistics;
    services::KillProcessSignaller signaller;
    // The application in front, from the X11 active window; none on Wayland.
    services::ActiveProcessTracker activeProcess;
    services::LinuxWorkspace workspace;
    services::ProcessSampler processes;
    services::PowercapEnergyReportSource energySource;
    services::SystemPowerSampler power;
    services::EnergyStore energyStore;
    services::SysfsPowerSourceMonitor powerSource;
    services::EnergySampler energySampler;
    platform::DesktopFocusStatusCenter focusCenter;
    services::FocusModeManager focus;

    // The uninstaller page's listing, leftover search and removals, one at a time.
    services::AppUninstaller uninstaller;
    platform::SerialExecutor uninstallerQueue{pool};

private:
    services::UpdateUserDriver& updateDriver_;
    services::NetworkAppcastTransport appcastTransport_;
    std::unique_ptr<services::UpdaterManager> updater_;
    // The settings switch for automatic checks, followed by the updater once it is made.
    platform::Subscription automaticUpdateChecks_;
};

}  // namespace zentrel::app
