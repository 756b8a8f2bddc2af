#pragma once
// The work that runs each time the main window's content appears, in its
// order: the notification service and its authorization, the updater, the
// last scan's summary, a background scan when one is due and nothing is
// loaded, the typing settings, and last the hand-over of the scan view
// model to the intents that wait for it. Each step is given by the app, so
// repeating the whole is harmless.

#include <functional>

namespace zentrel::ui {

struct MainWindowStartupSteps {
    std::function<void()> touchNotifications;
    std::function<void()> requestNotificationAuthorization;
    std::function<void()> touchUpdater;
    std::function<void()> restoreLastScanSummary;
    std::function<bool()> isAutoScanDue;
    std::function<bool()> hasResultItems;
    std::function<void()> startBackgroundScan;
    std::function<void()> loadTypingSettings;
    std::function<void()> registerIntents;
};

void runMainWindowStartup(const MainWindowStartupSteps& steps);

}  // namespace zentrel::ui
