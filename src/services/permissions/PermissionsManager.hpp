#pragma once
// Knows which system permissions the app holds (Full Disk Access,
// Accessibility, notification authorization), keeps that knowledge fresh while
// the user grants or revokes them, and sends the user to the right settings
// page for each. One shared instance on the main thread; the slow probes run
// on its probe coordinator.

#include "platform/accessibility/AccessibilityTrust.hpp"
#include "platform/concurrency/Clock.hpp"
#include "platform/concurrency/Executor.hpp"
#include "platform/concurrency/MainThreadCallbacks.hpp"
#include "platform/desktop/NotificationAuthorization.hpp"
#include "platform/desktop/SettingsPageOpener.hpp"
#include "platform/processes/AppInstanceLauncher.hpp"
#include "platform/settings/AnnouncedValue.hpp"
#include "platform/settings/Observable.hpp"
#include "services/permissions/FullDiskAccessProbe.hpp"
#include "services/permissions/LazyShared.hpp"
#include "services/permissions/PermissionProbeCoordinator.hpp"
#include "services/permissions/SystemPermission.hpp"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>

namespace zentrel::services {

class PermissionsManager final {
public:
    struct Dependencies {
        platform::MainQueue& mainQueue;
        platform::TimerScheduler& timers;
        platform::Executor& pool;
        const FullDiskAccessProbe& fullDiskAccessProbe;
        platform::AccessibilityTrust& accessibilityTrust;
        platform::NotificationAuthorization& notificationAuthorization;
        platform::SettingsPageOpener& settingsPages;
        platform::AppInstanceLauncher& appLauncher;
        // Quits the running app (on the main thread).
        std::function<void()> terminate;
        // The app became active; the accessibility settings changed.
        platform::Signal<>& applicationDidBecomeActive;
        platform::Signal<>& accessibilityTrustChanged;
    };

    static constexpr platform::Duration kPollInterval = std::chrono::milliseconds(2000);
    static constexpr platform::Duration kWaitAfterActivation = std::chrono::milliseconds(250);
    static constexpr platform::Duration kWaitAfterAccessibilityChange = std::chrono::milliseconds(300);

    // Creation runs the start-up steps: a first full probe, a read of the
    // notification settings, and the two observers.
    explicit PermissionsManager(Dependencies dependencies);
    PermissionsManager(const PermissionsManager&) = delete;
    PermissionsManager& operator=(const PermissionsManager&) = delete;

    // The program's one instance, made on first use from configureShared().
    [[nodiscard]] static PermissionsManager& shared();
    static void configureShared(std::function<std::unique_ptr<PermissionsManager>()> factory);

    // Published state; every assignment is announced.
    platform::AnnouncedValue<bool> fullDiskAccess{false};
    platform::AnnouncedValue<bool> isCheckingFullDiskAccess{true};
    platform::AnnouncedValue<bool> accessibility{false};
    platform::AnnouncedValue<bool> notifications{false};
    platform::AnnouncedValue<bool> notificationsUndetermined{true};

    // Fields the permission screens work with directly.
    std::optional<platform::Timer> pollTimer;
    std::int64_t pollingRequestCount = 0;
    std::uint64_t refreshGeneration = 0;

    [[nodiscard]] bool isGranted(SystemPermission permission) const;
    [[nodiscard]] bool requiredPermissionsGranted() const;

    void request(SystemPermission permission);
    // Whether this desktop has a settings page for the permission, which
    // `request` would open.
    [[nodiscard]] bool canOpenSettings(SystemPermission permission) const;
    void refresh();
    bool refreshAccessibility();
    void pollTick();
    // The counted shared poll: the first begin starts the 2.0 s timer, the end
    // that brings the count back to 0 stops it.
    void beginPermissionPolling();
    void endPermissionPolling();
    [[nodiscard]] bool probeFullDiskAccess() const;
    // Starts a new instance and quits this one once it has started; when it
    // could not start, this one keeps running and a warning says so.
    void relaunch();

    // Probes what is asked for after `delay` and applies the results while
    // `generation` is still the current one.
    void probeAndApply(bool fullDiskAccess, bool accessibility, platform::Duration delay, std::uint64_t generation);

private:
    void readNotificationSettings();
    void applyNotificationStatus(platform::NotificationAuthorizationStatus status);
    void apply(const PermissionProbeResults& results, std::uint64_t generation);
    void probeAccessibilityAfterChange();
    void refreshAfterActivation();

    Dependencies deps_;
    PermissionProbeCoordinator probeCoordinator_;
    std::map<std::uint64_t, platform::Timer> activationWaits_;
    std::uint64_t nextWaitID_ = 0;
    platform::Subscription activeObserver_;
    platform::Subscription accessibilityObserver_;
    platform::MainThreadCallbacks callbacks_;
};

// Checks Accessibility trust without a prompt and, only when the process is
// not trusted, again with one.
void requestAccessibilityTrust(platform::AccessibilityTrust& trust);

}  // namespace zentrel::services
