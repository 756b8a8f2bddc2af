#include "ui/presenters/MainWindowStartup.hpp"

namespace zentrel::ui {

void runMainWindowStartup(const MainWindowStartupSteps& steps) {
    steps.touchNotifications();
    steps.requestNotificationAuthorization();
    steps.touchUpdater();
    steps.restoreLastScanSummary();
    if (steps.isAutoScanDue() && !steps.hasResultItems()) steps.startBackgroundScan();
    steps.loadTypingSettings();
    steps.registerIntents();
}

}  // namespace zentrel::ui
