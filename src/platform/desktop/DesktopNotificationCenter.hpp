#pragma once
// Notifications through the desktop's notification service
// (org.freedesktop.Notifications) on the session bus. Sent without waiting
// for an answer; an unreachable service shows nothing.

#include "platform/desktop/UserNotificationCenter.hpp"

#include <string>

namespace zentrel::platform {

class DesktopNotificationCenter final : public UserNotificationCenter {
public:
    // `address` in the bus's address form; empty means none.
    explicit DesktopNotificationCenter(std::string address);
    [[nodiscard]] static DesktopNotificationCenter fromEnvironment();

    void add(const UserNotification& notification) override;

private:
    std::string address_;
};

}  // namespace zentrel::platform
