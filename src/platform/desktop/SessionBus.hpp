#pragma once
// The user's D-Bus session bus, asked one short question at a time over a
// private connection, so any thread may ask. An unreachable bus answers no.

#include <string>
#include <string_view>

namespace zentrel::platform {

class SessionBus {
public:
    // `address` in the bus's address form ("unix:path=..."); empty means none.
    explicit SessionBus(std::string address);
    // The address in DBUS_SESSION_BUS_ADDRESS; only programs use this.
    [[nodiscard]] static SessionBus fromEnvironment();

    // Whether a service owns `name` now or the bus would start it on demand.
    [[nodiscard]] bool canReach(std::string_view name) const;

private:
    std::string address_;
};

}  // namespace zentrel::platform
