#include "ui/presenters/FullDiskAccessScreen.hpp"

#include "platform/text/Localization.hpp"

namespace zentrel::ui {

FullDiskAccessScreen::FullDiskAccessScreen(services::PermissionsManager& permissions,
                                           platform::TimerScheduler& timers, platform::Signal<>& didBecomeActive)
    : permissions_(permissions), timers_(timers) {
    activeObserver_ = didBecomeActive.subscribe([this] { applicationBecameActive(); });
}

void FullDiskAccessScreen::checkGranted() {
    if (isChecking()) return;
    isChecking.set(true);
    showDenied.set(false);
    pendingCheck_ = timers_.scheduleOnce(kCheckDelay, [this] {
        isChecking.set(false);
        if (permissions_.probeFullDiskAccess()) {
            grant();
        } else {
            showDenied.set(true);
        }
    });
}

void FullDiskAccessScreen::applicationBecameActive() {
    if (isChecking()) return;  // the requested check decides
    if (permissions_.probeFullDiskAccess()) grant();
}

void FullDiskAccessScreen::grant() {
    ++permissions_.refreshGeneration;
    permissions_.fullDiskAccess.set(true);
    permissions_.isCheckingFullDiskAccess.set(false);
}

const std::array<const char*, 6>& FullDiskAccessScreen::steps() {
    static const std::array<const char*, 6> steps{
        N_("Click \"Open Privacy & Security Settings\" above"),
        N_("Scroll down to Full Disk Access"),
        N_("Turn ON the toggle next to Zentrel \u2014 or add it with + if not listed"),
        N_("After an update, toggle Zentrel OFF then ON if access isn't detected"),
        N_("Quit Zentrel completely (\u2318Q), then reopen it"),
        N_("Return here and tap \"I've granted access \u2014 continue\""),
    };
    return steps;
}

}  // namespace zentrel::ui
