#pragma once
// Distributed notifications as D-Bus signals on the user's session bus: the
// notification name travels as the one text argument of a broadcast signal.

#include "platform/desktop/DistributedNotificationCenter.hpp"

#include <string>

namespace zentrel::platform {

inline constexpr std::string_view kNotificationObjectPath = "/com/torvane/zentrel/Notifications";
inline constexpr std::string_view kNotificationInterface = "com.torvane.zentrel.Notifications";
inline constexpr std::string_view kNotificationSignal = "Posted";

class SessionBusNotificationCenter final : public DistributedNotificationCenter {
public:
    // `address` in the bus's address form ("unix:path=..."); empty means none,
    // and every post then fails.
    explicit SessionBusNotificationCenter(std::string address);
    [[nodiscard]] static SessionBusNotificationCenter fromEnvironment();

    bool post(std::string_view name) override;

private:
    std::string address_;
};

}  // namespace zentrel::platform
