#pragma once
// The two local notifications that end a scan and a clean, posted one
// second later when the user has turned notifications on. Main thread.

#include "platform/concurrency/Clock.hpp"
#include "platform/desktop/UserNotificationCenter.hpp"
#include "platform/settings/DefaultsStore.hpp"
#include "platform/text/Localization.hpp"

#include <cstdint>
#include <vector>

namespace zentrel::services {

class NotificationManager final {
public:
    // `defaults` holds "notificationsEnabled".
    NotificationManager(const platform::DefaultsStore& defaults, platform::UserNotificationCenter& center,
                        platform::TimerScheduler& timers);

    // N_("Scan Complete"): "Found 1.2 GB you can free up".
    void notifyScanComplete(std::int64_t bytes);
    // "All Clean!": "Freed 1.2 GB on your Mac".
    void notifyCleanComplete(std::int64_t bytes);

private:
    void post(const char* title, const char* bodyFormat, std::int64_t bytes);

    const platform::DefaultsStore& defaults_;
    platform::UserNotificationCenter& center_;
    platform::TimerScheduler& timers_;
    std::vector<platform::Timer> pending_;
};

}  // namespace zentrel::services
