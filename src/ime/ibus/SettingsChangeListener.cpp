#include "ime/ibus/SettingsChangeListener.hpp"

#include "platform/desktop/SessionBusNotificationCenter.hpp"

#include <iostream>

namespace zentrel::ime {

SettingsChangeListener::SettingsChangeListener(std::string notificationName, platform::Signal<>& settingsChanged)
    : notificationName_(std::move(notificationName)), settingsChanged_(settingsChanged) {
    GError* error = nullptr;
    connection_ = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error);
    if (connection_ == nullptr) {
        std::cerr << "zentrel-ime: no session bus, settings changes are read per key only: "
                  << (error != nullptr ? error->message : "unknown error") << "\n";
        g_clear_error(&error);
        return;
    }
    const std::string interface(platform::kNotificationInterface);
    const std::string member(platform::kNotificationSignal);
    const std::string path(platform::kNotificationObjectPath);
    subscription_ = g_dbus_connection_signal_subscribe(connection_, nullptr, interface.c_str(), member.c_str(),
                                                       path.c_str(), notificationName_.c_str(),
                                                       G_DBUS_SIGNAL_FLAGS_NONE, received, this, nullptr);
}

SettingsChangeListener::~SettingsChangeListener() {
    if (connection_ == nullptr) return;
    g_dbus_connection_signal_unsubscribe(connection_, subscription_);
    g_object_unref(connection_);
}

void SettingsChangeListener::received(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*,
                                      GVariant*, gpointer self) {
    static_cast<SettingsChangeListener*>(self)->settingsChanged_.emit();
}

}  // namespace zentrel::ime
