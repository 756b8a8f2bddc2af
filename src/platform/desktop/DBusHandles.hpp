#pragma once
// Owning handles for libdbus objects and a private, registered connection to
// a bus, shared by the session-bus seams.

#include <dbus/dbus.h>

#include <memory>
#include <string>

namespace zentrel::platform::dbus {

struct ConnectionCloser {
    void operator()(DBusConnection* connection) const {
        dbus_connection_close(connection);
        dbus_connection_unref(connection);
    }
};
struct MessageUnref {
    void operator()(DBusMessage* message) const { dbus_message_unref(message); }
};
using Connection = std::unique_ptr<DBusConnection, ConnectionCloser>;
using Message = std::unique_ptr<DBusMessage, MessageUnref>;

// A private connection that has said hello to the bus at `address`; empty on
// any error. Losing the bus never ends the program.
[[nodiscard]] Connection openRegistered(const std::string& address);

// Whether a service owns `name` on the connection's bus now or the bus would start it on demand.
[[nodiscard]] bool canReach(DBusConnection* connection, const std::string& name);

}  // namespace zentrel::platform::dbus
