#pragma once
// The Full Disk Access screen's state: N_("I've granted access — continue")
// checks once, 0.4 s later; a failed check shows the denied card until the
// next click; coming back to the app checks at once unless a requested
// check is pending. A successful check raises the manager's probe
// generation before it sets the result, so an older probe still under way
// cannot take it back.

#include "platform/concurrency/Clock.hpp"
#include "platform/settings/Observable.hpp"
#include "platform/text/Localization.hpp"
#include "services/permissions/PermissionsManager.hpp"

#include <array>

namespace zentrel::ui {

class FullDiskAccessScreen final {
public:
    static constexpr platform::Duration kCheckDelay = std::chrono::milliseconds(400);

    // `didBecomeActive`: the app came to the front.
    FullDiskAccessScreen(services::PermissionsManager& permissions, platform::TimerScheduler& timers,
                         platform::Signal<>& didBecomeActive);

    platform::Published<bool> isChecking{false};
    platform::Published<bool> showDenied{false};

    // The granted button; ignored while a check is pending.
    void checkGranted();
    void applicationBecameActive();

    // The six steps of the steps card, in order (translation keys).
    [[nodiscard]] static const std::array<const char*, 6>& steps();

private:
    void grant();

    services::PermissionsManager& permissions_;
    platform::TimerScheduler& timers_;
    platform::Timer pendingCheck_;
    platform::Subscription activeObserver_;
};

}  // namespace zentrel::ui
