#pragma once
// Notification authorization on a Linux desktop: notifications are authorized
// while a notification service is reachable on the session bus, denied
// otherwise. The desktop never asks the user, so a request answers the same.
// The bus is asked on the given executor, never on the caller's thread.

#include "platform/concurrency/Executor.hpp"
#include "platform/desktop/NotificationAuthorization.hpp"
#include "platform/desktop/SessionBus.hpp"

namespace zentrel::platform {

class DesktopNotificationAuthorization final : public NotificationAuthorization {
public:
    DesktopNotificationAuthorization(const SessionBus& bus, Executor& executor);

    void currentStatus(StatusHandler done) override;
    void requestAuthorization(NotificationAuthorizationOptions options, RequestHandler done) override;

private:
    const SessionBus& bus_;
    Executor& executor_;
};

}  // namespace zentrel::platform
