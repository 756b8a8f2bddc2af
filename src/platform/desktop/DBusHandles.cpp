#include "platform/desktop/DBusHandles.hpp"

namespace zentrel::platform::dbus {

Connection openRegistered(const std::string& address) {
    if (address.empty()) return nullptr;
    DBusError error;
    dbus_error_init(&error);
    Connection connection(dbus_connection_open_private(address.c_str(), &error));
    dbus_error_free(&error);
    if (!connection) return nullptr;
    dbus_connection_set_exit_on_disconnect(connection.get(), FALSE);
    dbus_error_init(&error);
    const bool registered = dbus_bus_register(connection.get(), &error);
    dbus_error_free(&error);
    if (!registered) return nullptr;
    return connection;
}

}  // namespace zentrel::platform::dbus
