#pragma once
// Local notifications shown to the user (the end of a scan or a clean). The
// desktop backend sends them to the session's notification service; tests
// record them.

#include <string>

namespace zentrel::platform {

struct UserNotification {
    std::string identifier;  // each notification stands alone
    std::string title;
    std::string body;
};

class UserNotificationCenter {
public:
    virtual ~UserNotificationCenter() = default;
    // Shows the notification with the default sound; a failure is not reported.
    virtual void add(const UserNotification& notification) = 0;
};

}  // namespace zentrel::platform
