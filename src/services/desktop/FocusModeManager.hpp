#pragma once
// Whether a Focus (do-not-disturb) mode is on, for the menu-bar and settings
// screens: read at start and every 15 seconds after. Main thread.

#include "platform/concurrency/Clock.hpp"
#include "platform/concurrency/Executor.hpp"
#include "platform/desktop/FocusStatusCenter.hpp"
#include "platform/settings/Observable.hpp"

#include <optional>

namespace zentrel::services {

class FocusModeManager final {
public:
    static constexpr auto kRefreshInterval = std::chrono::seconds(15);

    FocusModeManager(platform::FocusStatusCenter& center, platform::TimerScheduler& timers, platform::MainQueue& main);

    platform::Published<bool> isFocusActive{false};
    platform::Published<platform::FocusAuthorizationStatus> authorizationStatus{
        platform::FocusAuthorizationStatus::notDetermined};

    // Starts the monitor once; later calls do nothing.
    void startMonitoring();
    void refresh();
    [[nodiscard]] bool isMonitoring() const { return monitor_.isActive(); }

private:
    platform::FocusStatusCenter& center_;
    platform::TimerScheduler& timers_;
    platform::MainQueue& main_;
    platform::Timer monitor_;
    std::shared_ptr<FocusModeManager*> self_ = std::make_shared<FocusModeManager*>(this);
};

}  // namespace zentrel::services
