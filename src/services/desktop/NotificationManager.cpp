#include "services/desktop/NotificationManager.hpp"

#include "platform/text/ByteCountFormatter.hpp"
#include "platform/text/Localization.hpp"
#include "platform/text/Uuid.hpp"

#include <algorithm>
#include <chrono>

namespace zentrel::services {

NotificationManager::NotificationManager(const platform::DefaultsStore& defaults,
                                         platform::UserNotificationCenter& center, platform::TimerScheduler& timers)
    : defaults_(defaults), center_(center), timers_(timers) {}

void NotificationManager::notifyScanComplete(std::int64_t bytes) {
    post(N_("Scan Complete"), N_("Found %@ you can free up"), bytes);
}

void NotificationManager::notifyCleanComplete(std::int64_t bytes) { post("All Clean!", N_("Freed %@ on your Mac"), bytes); }

void NotificationManager::post(const char* title, const char* bodyFormat, std::int64_t bytes) {
    if (!defaults_.boolean("notificationsEnabled")) return;
    auto body = platform::localizedFormat(bodyFormat, {platform::formatByteCount(bytes, platform::ByteCountStyle::file)});
    platform::UserNotification notification{platform::Uuid::random().string(), platform::localized(title),
                                            std::move(body)};
    std::erase_if(pending_, [](const platform::Timer& timer) { return !timer.isActive(); });
    // Shown one second from now.
    pending_.push_back(timers_.scheduleOnce(std::chrono::seconds(1), [this, notification = std::move(notification)] {
        center_.add(notification);
    }));
}

}  // namespace zentrel::services
