#include "platform/SessionBus.hpp"

#include <dbus/dbus.h>

#include <cstdlib>
#include <memory>

namespace zentrel::platform {

namespace {

constexpr int kCallTimeoutMs = 1000;

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

SessionBus::SessionBus(std::string address) : address_(std::move(address)) {}

SessionBus SessionBus::fromEnvironment() {
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    return SessionBus(address ? address : "");
}

bool SessionBus::canReach(std::string_view name) const {
    if (address_.empty()) return false;
    DBusError error;
    dbus_error_init(&error);
    Connection connection(dbus_connection_open_private(address_.c_str(), &error));
    dbus_error_free(&error);
    if (!connection) return false;
    dbus_connection_set_exit_on_disconnect(connection.get(), FALSE);
    dbus_error_init(&error);
    const bool registered = dbus_bus_register(connection.get(), &error);
    dbus_error_free(&error);
    if (!registered) return false;
    const std::string wanted(name);
    return hasOwner(connection.get(), wanted) || isActivatable(connection.get(), wanted);
}

}  // namespace zentrel::platform
