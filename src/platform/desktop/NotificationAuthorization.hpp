#pragma once
// Whether the app may show notifications, and the request for it. Answers may
// arrive on any thread; callers move them to the main thread themselves.

#include <functional>
#include <optional>
#include <string>

namespace zentrel::platform {

enum class NotificationAuthorizationStatus { notDetermined, denied, authorized, provisional, ephemeral };

struct NotificationAuthorizationOptions {
    bool alert = false;
    bool sound = false;
};

class NotificationAuthorization {
public:
    using StatusHandler = std::function<void(NotificationAuthorizationStatus)>;
    using RequestHandler = std::function<void(bool granted, const std::optional<std::string>& error)>;

    virtual ~NotificationAuthorization() = default;
    virtual void currentStatus(StatusHandler done) = 0;
    virtual void requestAuthorization(NotificationAuthorizationOptions options, RequestHandler done) = 0;
};

}  // namespace zentrel::platform
