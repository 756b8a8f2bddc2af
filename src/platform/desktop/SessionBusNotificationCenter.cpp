#include "platform/desktop/SessionBusNotificationCenter.hpp"

#include "platform/desktop/DBusHandles.hpp"

#include <cstdlib>

namespace zentrel::platform {

SessionBusNotificationCenter::SessionBusNotificationCenter(std::string address) : address_(std::move(address)) {}

SessionBusNotificationCenter SessionBusNotificationCenter::fromEnvironment() {
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    return SessionBusNotificationCenter(address ? address : "");
}

bool SessionBusNotificationCenter::post(std::string_view name) {
    auto connection = dbus::openRegistered(address_);
    if (!connection) return false;
    const std::string path(kNotificationObjectPath), interface(kNotificationInterface), member(kNotificationSignal);
    dbus::Message signal(dbus_message_new_signal(path.c_str(), interface.c_str(), member.c_str()));
    if (!signal) return false;
    const std::string text(name);
    const char* argument = text.c_str();
    if (!dbus_message_append_args(signal.get(), DBUS_TYPE_STRING, &argument, DBUS_TYPE_INVALID)) return false;
    if (!dbus_connection_send(connection.get(), signal.get(), nullptr)) return false;
    dbus_connection_flush(connection.get());
    return true;
}

}  // namespace zentrel::platform
