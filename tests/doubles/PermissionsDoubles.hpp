#pragma once
// Everything a PermissionsManager is made from, as doubles, on a manual main
// queue, pool and fake clock.

#include "services/permissions/PermissionsManager.hpp"

#include "doubles/FakeClock.hpp"
#include "doubles/FakeSystemPermissions.hpp"
#include "doubles/ManualExecutor.hpp"
#include "doubles/ManualMainQueue.hpp"

#include <memory>

namespace zentrel::testing {

struct PermissionsDoubles {
    [[nodiscard]] std::unique_ptr<services::PermissionsManager> makePermissions(std::function<void()> terminate = [] {}) {
        return std::make_unique<services::PermissionsManager>(services::PermissionsManager::Dependencies{
            main, clock, pool, fullDiskAccess, trust, notificationAuthorization, pages, launcher, std::move(terminate),
            didBecomeActive, accessibilityChanged});
    }
    // Runs the background work and the main-thread jobs it posts.
    void settle() {
        while (pool.drain() + main.drain() > 0) {
        }
    }

    ManualMainQueue main;
    FakeClock clock;
    ManualExecutor pool;
    FakeFullDiskAccessProbe fullDiskAccess;
    FakeAccessibilityTrust trust;
    FakeNotificationAuthorization notificationAuthorization;
    RecordingSettingsPageOpener pages;
    FakeAppInstanceLauncher launcher;
    platform::Signal<> didBecomeActive;
    platform::Signal<> accessibilityChanged;
};

}  // namespace zentrel::testing
