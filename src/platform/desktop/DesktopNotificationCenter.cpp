#include "platform/desktop/DesktopNotificationCenter.hpp"

#include "platform/desktop/DBusHandles.hpp"
#include "platform/text/Localization.hpp"

#include <cstdlib>

namespace zentrel::platform {

DesktopNotificationCenter::DesktopNotificationCenter(std::string address) : address_(std::move(address)) {}

DesktopNotificationCenter DesktopNotificationCenter::fromEnvironment() {
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    return DesktopNotificationCenter(address ? address : "");
}

void DesktopNotificationCenter::add(const UserNotification& notification) {
    auto connection = dbus::openRegistered(address_);
    if (!connection) return;
    dbus::Message call(dbus_message_new_method_call("org.freedesktop.Notifications", "/org/freedesktop/Notifications",
                                                    "org.freedesktop.Notifications", "Notify"));
    if (!call) return;
    const char* appName = N_("Zentrel");
    const dbus_uint32_t replacesID = 0;
    const char* icon = "";
    const char* summary = notification.title.c_str();
    const char* body = notification.body.c_str();
    const dbus_int32_t expireTimeout = -1;  // the service's default

    DBusMessageIter args;
    DBusMessageIter actions;
    DBusMessageIter hints;
    DBusMessageIter entry;
    DBusMessageIter variant;
    const char* soundKey = "suppress-sound";
    const dbus_bool_t withSound = FALSE;
    dbus_message_iter_init_append(call.get(), &args);
    const bool built =
        dbus_message_iter_append_basic(&args, DBUS_TYPE_STRING, &appName) &&
        dbus_message_iter_append_basic(&args, DBUS_TYPE_UINT32, &replacesID) &&
        dbus_message_iter_append_basic(&args, DBUS_TYPE_STRING, &icon) &&
        dbus_message_iter_append_basic(&args, DBUS_TYPE_STRING, &summary) &&
        dbus_message_iter_append_basic(&args, DBUS_TYPE_STRING, &body) &&
        dbus_message_iter_open_container(&args, DBUS_TYPE_ARRAY, "s", &actions) &&
        dbus_message_iter_close_container(&args, &actions) &&
        dbus_message_iter_open_container(&args, DBUS_TYPE_ARRAY, "{sv}", &hints) &&
        dbus_message_iter_open_container(&hints, DBUS_TYPE_DICT_ENTRY, nullptr, &entry) &&
        dbus_message_iter_append_basic(&entry, DBUS_TYPE_STRING, &soundKey) &&
        dbus_message_iter_open_container(&entry, DBUS_TYPE_VARIANT, "b", &variant) &&
        dbus_message_iter_append_basic(&variant, DBUS_TYPE_BOOLEAN, &withSound) &&
        dbus_message_iter_close_container(&entry, &variant) && dbus_message_iter_close_container(&hints, &entry) &&
        dbus_message_iter_close_container(&args, &hints) &&
        dbus_message_iter_append_basic(&args, DBUS_TYPE_INT32, &expireTimeout);
    if (!built) return;
    dbus_message_set_no_reply(call.get(), TRUE);
    if (dbus_connection_send(connection.get(), call.get(), nullptr)) dbus_connection_flush(connection.get());
}

}  // namespace zentrel::platform
