#pragma once
// The update checker: fetches the feed, reads it, lets the delegate pick the
// release to offer, and runs checks on a schedule. A check the user starts
// shows its outcome through the user driver; a scheduled check only tells the
// delegate. One check runs at a time: a scheduled check asked for during
// another is skipped, and a user's check joins the one under way (whose
// outcome is then shown to the user). Main thread only.

#include "platform/concurrency/Clock.hpp"
#include "platform/concurrency/Executor.hpp"
#include "platform/concurrency/MainThreadCallbacks.hpp"
#include "services/updates/AppcastParser.hpp"
#include "services/updates/AppcastTransport.hpp"
#include "services/updates/UpdateUserDriver.hpp"
#include "services/updates/UpdaterDelegate.hpp"

#include <optional>
#include <string>

namespace zentrel::services {

class Updater final {
public:
    static constexpr platform::Duration kCheckInterval = std::chrono::hours(24);

    Updater(platform::MainQueue& main, platform::TimerScheduler& timers, AppcastTransport& transport,
            UpdateUserDriver& userDriver, UpdaterDelegate& delegate);
    Updater(const Updater&) = delete;
    Updater& operator=(const Updater&) = delete;

    // While started, checks run at once and then every kCheckInterval.
    void setAutomaticallyChecksForUpdates(bool on);
    [[nodiscard]] bool automaticallyChecksForUpdates() const { return automatic_; }

    // Reads the feed address from the delegate. An address that is not
    // http(s), "file:" or an absolute path fails with a message; the updater
    // then never checks, and a user's check shows that message.
    [[nodiscard]] std::optional<std::string> start();

    void checkForUpdates();
    void checkForUpdatesInBackground();
    [[nodiscard]] bool isChecking() const { return checkIsUserInitiated_.has_value(); }

private:
    void begin(bool userInitiated);
    void finish(const AppcastParseResult& feed);
    void schedule();

    platform::TimerScheduler& timers_;
    AppcastTransport& transport_;
    UpdateUserDriver& userDriver_;
    UpdaterDelegate& delegate_;
    bool automatic_ = false;
    std::optional<std::string> feedURL_;  // set once started
    std::optional<std::string> startError_ = std::string("The updater has not been started");
    std::optional<bool> checkIsUserInitiated_;  // set while a check runs
    platform::Timer firstCheck_;
    platform::Timer repeatingChecks_;
    platform::MainThreadCallbacks callbacks_;
};

}  // namespace zentrel::services
