#include "platform/desktop/SessionBusNotificationWatch.hpp"

#include "platform/concurrency/GLibLoopThread.hpp"
#include "platform/desktop/SessionBusNotificationCenter.hpp"

#include <gio/gio.h>

#include <cstdlib>

namespace zentrel::platform {

SessionBusNotificationWatch::SessionBusNotificationWatch(std::function<void(std::string)> received)
    : received_(std::move(received)), context_(g_main_context_new()), loop_(g_main_loop_new(context_, FALSE)) {
    thread_ = std::thread([this] { run(); });
}

SessionBusNotificationWatch::~SessionBusNotificationWatch() {
    stop();
    g_main_loop_unref(loop_);
    g_main_context_unref(context_);
}

void SessionBusNotificationWatch::run() {
    g_main_context_push_thread_default(context_);
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    // A connection of the watch's own, so that its signals arrive on this thread's loop.
    GDBusConnection* bus =
        address == nullptr || *address == '\0'
            ? nullptr
            : g_dbus_connection_new_for_address_sync(
                  address,
                  static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                                    G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
                  nullptr, nullptr, nullptr);
    guint subscription = 0;
    if (bus != nullptr) {
        g_dbus_connection_set_exit_on_close(bus, FALSE);
        const std::string path(kNotificationObjectPath), interface(kNotificationInterface), member(kNotificationSignal);
        subscription = g_dbus_connection_signal_subscribe(
            bus, nullptr, interface.c_str(), member.c_str(), path.c_str(), nullptr, G_DBUS_SIGNAL_FLAGS_NONE,
            [](GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*, GVariant* parameters,
               gpointer received) {
                if (!g_variant_is_of_type(parameters, G_VARIANT_TYPE("(s)"))) return;
                const gchar* name = nullptr;
                g_variant_get(parameters, "(&s)", &name);
                (*static_cast<std::function<void(std::string)>*>(received))(name);
            },
            &received_, nullptr);
        // The subscription's AddMatch goes out unanswered: a call answered after it means the bus holds it.
        GVariant* names = g_dbus_connection_call_sync(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                                                      "org.freedesktop.DBus", "ListNames", nullptr, nullptr,
                                                      G_DBUS_CALL_FLAGS_NONE, 2000, nullptr, nullptr);
        if (names != nullptr) g_variant_unref(names);
    }
    g_main_loop_run(loop_);
    if (bus != nullptr) {
        g_dbus_connection_signal_unsubscribe(bus, subscription);
        g_object_unref(bus);
    }
    g_main_context_pop_thread_default(context_);
}

void SessionBusNotificationWatch::stop() {
    quitLoopAndJoin(context_, loop_, thread_);
}

}  // namespace zentrel::platform
