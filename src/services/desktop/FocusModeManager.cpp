#include "services/desktop/FocusModeManager.hpp"

namespace zentrel::services {

using platform::FocusAuthorizationStatus;

FocusModeManager::FocusModeManager(platform::FocusStatusCenter& center, platform::TimerScheduler& timers,
                                   platform::MainQueue& main)
    : center_(center), timers_(timers), main_(main) {}

void FocusModeManager::startMonitoring() {
    if (monitor_.isActive()) return;
    authorizationStatus.set(center_.authorizationStatus());
    if (authorizationStatus() == FocusAuthorizationStatus::notDetermined) {
        // The answer may come on any thread; it is applied on the main one.
        std::weak_ptr<FocusModeManager*> weak = self_;
        center_.requestAuthorization([weak, &main = main_](FocusAuthorizationStatus status) {
            main.post([weak, status] {
                if (auto self = weak.lock()) {
                    (*self)->authorizationStatus.set(status);
                    (*self)->refresh();
                }
            });
        });
    } else {
        refresh();
    }
    monitor_ = timers_.scheduleRepeating(kRefreshInterval, [this] { refresh(); });
}

void FocusModeManager::refresh() {
    if (authorizationStatus() != FocusAuthorizationStatus::authorized) {
        isFocusActive.set(false);
        return;
    }
    isFocusActive.set(center_.isFocused().value_or(false));
}

}  // namespace zentrel::services
