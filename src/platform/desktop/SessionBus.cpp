#include "platform/desktop/SessionBus.hpp"

#include "platform/desktop/DBusHandles.hpp"

#include <cstdlib>

namespace zentrel::platform {

namespace {

constexpr int kCallTimeoutMs = 1000;

using dbus::Message;

// Calls a method of the bus itself; an empty pointer on any error.
Message callBus(DBusConnection* connection, const char* method, const char* argument) {
    Message request(dbus_message_new_method_call("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                                 "org.freedesktop.DBus", method));
    if (!request) return nullptr;
    if (argument && !dbus_message_append_args(request.get(), DBUS_TYPE_STRING, &argument, DBUS_TYPE_INVALID)) {
        return nullptr;
    }
    DBusError error;
    dbus_error_init(&error);
    Message reply(dbus_connection_send_with_reply_and_block(connection, request.get(), kCallTimeoutMs, &error));
    dbus_error_free(&error);
    return reply;
}

bool hasOwner(DBusConnection* connection, const std::string& name) {
    Message reply = callBus(connection, "NameHasOwner", name.c_str());
    dbus_bool_t owned = FALSE;
    if (!reply) return false;
    DBusError error;
    dbus_error_init(&error);
    bool ok = dbus_message_get_args(reply.get(), &error, DBUS_TYPE_BOOLEAN, &owned, DBUS_TYPE_INVALID);
    dbus_error_free(&error);
    return ok && owned;
}

bool isActivatable(DBusConnection* connection, const std::string& name) {
    Message reply = callBus(connection, "ListActivatableNames", nullptr);
    if (!reply) return false;
    DBusMessageIter iter;
    if (!dbus_message_iter_init(reply.get(), &iter) || dbus_message_iter_get_arg_type(&iter) != DBUS_TYPE_ARRAY) {
        return false;
    }
    DBusMessageIter names;
    dbus_message_iter_recurse(&iter, &names);
    while (dbus_message_iter_get_arg_type(&names) == DBUS_TYPE_STRING) {
        const char* listed = nullptr;
        dbus_message_iter_get_basic(&names, &listed);
        if (listed && name == listed) return true;
        dbus_message_iter_next(&names);
    }
    return false;
}

}  // namespace

bool dbus::canReach(DBusConnection* connection, const std::string& name) {
    return hasOwner(connection, name) || isActivatable(connection, name);
}

SessionBus::SessionBus(std::string address) : address_(std::move(address)) {}

SessionBus SessionBus::fromEnvironment() {
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    return SessionBus(address ? address : "");
}

bool SessionBus::canReach(std::string_view name) const {
    auto connection = dbus::openRegistered(address_);
    if (!connection) return false;
    return dbus::canReach(connection.get(), std::string(name));
}

}  // namespace zentrel::platform
