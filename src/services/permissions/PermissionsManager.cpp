#include "services/permissions/PermissionsManager.hpp"

#include "platform/text/Warnings.hpp"

namespace zentrel::services {

namespace {

LazyShared<PermissionsManager>& sharedSlot() {
    static LazyShared<PermissionsManager> slot("PermissionsManager");
    return slot;
}

}  // namespace

PermissionsManager::PermissionsManager(Dependencies dependencies)
    : deps_(std::move(dependencies)),
      probeCoordinator_(deps_.pool, deps_.mainQueue, deps_.timers, deps_.fullDiskAccessProbe,
                        deps_.accessibilityTrust),
      callbacks_(deps_.mainQueue) {
    probeAndApply(true, true, platform::Duration::zero(), ++refreshGeneration);
    readNotificationSettings();
    activeObserver_ = deps_.applicationDidBecomeActive.subscribe([this] { refreshAfterActivation(); });
    accessibilityObserver_ = deps_.accessibilityTrustChanged.subscribe([this] { probeAccessibilityAfterChange(); });
}

PermissionsManager& PermissionsManager::shared() { return sharedSlot().get(); }

void PermissionsManager::configureShared(std::function<std::unique_ptr<PermissionsManager>()> factory) {
    sharedSlot().configure(std::move(factory));
}

bool PermissionsManager::isGranted(SystemPermission permission) const {
    switch (permission) {
        case SystemPermission::fullDiskAccess: return fullDiskAccess();
        case SystemPermission::accessibility: return accessibility();
        case SystemPermission::notifications: return notifications();
    }
    return false;
}

bool PermissionsManager::requiredPermissionsGranted() const { return isGranted(SystemPermission::fullDiskAccess); }

bool PermissionsManager::canOpenSettings(SystemPermission permission) const {
    return deps_.settingsPages.canOpen(settingsURL(permission));
}

void PermissionsManager::request(SystemPermission permission) {
    switch (permission) {
        case SystemPermission::fullDiskAccess:
            deps_.settingsPages.open(settingsURL(permission));
            break;
        case SystemPermission::accessibility:
            requestAccessibilityTrust(deps_.accessibilityTrust);
            deps_.settingsPages.open(settingsURL(permission));
            probeAccessibilityAfterChange();
            break;
        case SystemPermission::notifications:
            // The desktop asks only once; afterwards the settings page decides.
            if (!notificationsUndetermined()) {
                deps_.settingsPages.open(settingsURL(permission));
                break;
            }
            deps_.notificationAuthorization.requestAuthorization(
                {.alert = true, .sound = true},
                callbacks_.wrap([this](bool, const std::optional<std::string>&) { refresh(); }));
            break;
    }
}

void PermissionsManager::refresh() {
    probeAndApply(true, true, platform::Duration::zero(), ++refreshGeneration);
    readNotificationSettings();
}

bool PermissionsManager::refreshAccessibility() {
    const bool trusted = deps_.accessibilityTrust.isProcessTrusted(false);
    if (trusted != accessibility()) accessibility.set(trusted);
    return trusted;
}

void PermissionsManager::pollTick() {
    callbacks_.wrap([this] { refresh(); })();
}

void PermissionsManager::beginPermissionPolling() {
    ++pollingRequestCount;
    if (!pollTimer) pollTimer = deps_.timers.scheduleRepeating(kPollInterval, [this] { pollTick(); });
}

void PermissionsManager::endPermissionPolling() {
    const auto remaining = pollingRequestCount - 1;
    pollingRequestCount = std::max<std::int64_t>(remaining, 0);
    if (remaining >= 1) return;
    pollTimer.reset();  // destroying the timer stops it
}

bool PermissionsManager::probeFullDiskAccess() const { return deps_.fullDiskAccessProbe.canReadProtectedFiles(); }

void PermissionsManager::relaunch() {
    deps_.appLauncher.openNewInstance(callbacks_.wrap([this](bool started) {
        if (started) {
            deps_.terminate();
        } else {
            platform::warn("Could not start a new instance of Zentrel; this one keeps running");
        }
    }));
}

void PermissionsManager::probeAndApply(bool fullDiskAccess, bool accessibility, platform::Duration delay,
                                       std::uint64_t generation) {
    probeCoordinator_.probe(fullDiskAccess, accessibility, delay,
                            [this, generation](PermissionProbeResults results) { apply(results, generation); });
}

void PermissionsManager::apply(const PermissionProbeResults& results, std::uint64_t generation) {
    if (generation != refreshGeneration) return;  // a newer run supersedes this one
    if (results.fullDiskAccess != ProbeResult::notProbed) {
        const bool granted = results.fullDiskAccess == ProbeResult::granted;
        if (granted != fullDiskAccess()) fullDiskAccess.set(granted);
        isCheckingFullDiskAccess.set(false);
    }
    if (results.accessibility != ProbeResult::notProbed) {
        const bool granted = results.accessibility == ProbeResult::granted;
        if (granted != accessibility()) accessibility.set(granted);
    }
}

void PermissionsManager::readNotificationSettings() {
    deps_.notificationAuthorization.currentStatus(
        callbacks_.wrap([this](platform::NotificationAuthorizationStatus status) { applyNotificationStatus(status); }));
}

void PermissionsManager::applyNotificationStatus(platform::NotificationAuthorizationStatus status) {
    using Status = platform::NotificationAuthorizationStatus;
    notifications.set(status == Status::authorized || status == Status::provisional);
    notificationsUndetermined.set(status == Status::notDetermined);
}

void PermissionsManager::probeAccessibilityAfterChange() {
    probeAndApply(false, true, kWaitAfterAccessibilityChange, ++refreshGeneration);
}

void PermissionsManager::refreshAfterActivation() {
    const auto id = nextWaitID_++;
    activationWaits_.emplace(id, deps_.timers.scheduleOnce(kWaitAfterActivation, [this, id] {
        auto wait = activationWaits_.extract(id);  // keeps the timer alive while it fires
        refresh();
    }));
}

void requestAccessibilityTrust(platform::AccessibilityTrust& trust) {
    if (!trust.isProcessTrusted(false)) (void)trust.isProcessTrusted(true);
}

}  // namespace zentrel::services
