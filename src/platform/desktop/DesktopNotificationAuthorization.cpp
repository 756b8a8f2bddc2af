#include "platform/desktop/DesktopNotificationAuthorization.hpp"

namespace zentrel::platform {

namespace {
constexpr std::string_view kNotificationServiceName = "org.freedesktop.Notifications";
}  // namespace

DesktopNotificationAuthorization::DesktopNotificationAuthorization(const SessionBus& bus, Executor& executor)
    : bus_(bus), executor_(executor) {}

void DesktopNotificationAuthorization::currentStatus(StatusHandler done) {
    executor_.submit([this, done = std::move(done)] {
        done(bus_.canReach(kNotificationServiceName) ? NotificationAuthorizationStatus::authorized
                                                     : NotificationAuthorizationStatus::denied);
    });
}

void DesktopNotificationAuthorization::requestAuthorization(NotificationAuthorizationOptions, RequestHandler done) {
    executor_.submit([this, done = std::move(done)] {
        if (bus_.canReach(kNotificationServiceName)) {
            done(true, std::nullopt);
        } else {
            done(false, std::string("No desktop notification service is running"));
        }
    });
}

}  // namespace zentrel::platform
