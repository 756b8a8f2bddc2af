#include "platform/input/IBusEngineChangeWatch.hpp"

#include "platform/concurrency/GLibLoopThread.hpp"
#include "platform/input/IBusAddress.hpp"

#include <ibus.h>

#include <algorithm>

namespace zentrel::platform {
namespace {

constexpr guint kFirstRetrySeconds = 1;
constexpr guint kLastRetrySeconds = 30;

// What the watch's thread keeps while it runs: the connection, its signal
// subscription and the next retry's wait.
struct Connection {
    const std::function<void()>* changed = nullptr;
    const std::function<void()>* listening = nullptr;
    GMainContext* context = nullptr;
    GDBusConnection* bus = nullptr;
    guint subscription = 0;
    guint retrySeconds = kFirstRetrySeconds;
    GSource* retry = nullptr;
};

void connect(Connection& connection);

void scheduleRetry(Connection& connection) {
    if (connection.retry != nullptr) return;
    connection.retry = g_timeout_source_new_seconds(connection.retrySeconds);
    connection.retrySeconds = std::min(connection.retrySeconds * 2, kLastRetrySeconds);
    g_source_set_callback(
        connection.retry,
        [](gpointer data) -> gboolean {
            auto& c = *static_cast<Connection*>(data);
            g_source_unref(c.retry);
            c.retry = nullptr;
            connect(c);
            return G_SOURCE_REMOVE;
        },
        &connection, nullptr);
    g_source_attach(connection.retry, connection.context);
}

void disconnect(Connection& connection) {
    if (connection.bus == nullptr) return;
    g_dbus_connection_signal_unsubscribe(connection.bus, connection.subscription);
    g_signal_handlers_disconnect_by_data(connection.bus, &connection);
    g_object_unref(connection.bus);
    connection.bus = nullptr;
}

void connect(Connection& connection) {
    disconnect(connection);
    const auto address = ibusAddress();
    GDBusConnection* bus =
        !address ? nullptr
                 : g_dbus_connection_new_for_address_sync(
                       address->c_str(),
                       static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                                         G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
                       nullptr, nullptr, nullptr);
    if (bus == nullptr) {
        scheduleRetry(connection);
        return;
    }
    connection.bus = bus;
    connection.retrySeconds = kFirstRetrySeconds;
    g_dbus_connection_set_exit_on_close(bus, FALSE);
    connection.subscription = g_dbus_connection_signal_subscribe(
        bus, nullptr, IBUS_INTERFACE_IBUS, "GlobalEngineChanged", IBUS_PATH_IBUS, nullptr, G_DBUS_SIGNAL_FLAGS_NONE,
        [](GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*, GVariant*, gpointer data) {
            (*static_cast<Connection*>(data)->changed)();
        },
        &connection, nullptr);
    // The daemon restarted or ended: the engine it uses may differ, and the next daemon is watched.
    g_signal_connect(bus, "closed", G_CALLBACK(+[](GDBusConnection*, gboolean, GError*, gpointer data) {
                         auto& c = *static_cast<Connection*>(data);
                         (*c.changed)();
                         scheduleRetry(c);
                     }),
                     &connection);
    // The subscription's AddMatch goes out unanswered: the daemon answers a call sent after it only once it holds it.
    GVariant* names = g_dbus_connection_call_sync(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                                                  "org.freedesktop.DBus", "ListNames", nullptr, nullptr,
                                                  G_DBUS_CALL_FLAGS_NONE, 2000, nullptr, nullptr);
    if (names != nullptr) g_variant_unref(names);
    if (*connection.listening) (*connection.listening)();
}

}  // namespace

IBusEngineChangeWatch::IBusEngineChangeWatch(std::function<void()> changed, std::function<void()> listening)
    : changed_(std::move(changed)),
      listening_(std::move(listening)),
      context_(g_main_context_new()), loop_(g_main_loop_new(context_, FALSE)) {
    ibus_init();
    thread_ = std::thread([this] { run(); });
}

IBusEngineChangeWatch::~IBusEngineChangeWatch() {
    stop();
    g_main_loop_unref(loop_);
    g_main_context_unref(context_);
}

void IBusEngineChangeWatch::run() {
    g_main_context_push_thread_default(context_);
    Connection connection{&changed_, &listening_, context_};
    connect(connection);
    g_main_loop_run(loop_);
    disconnect(connection);
    if (connection.retry != nullptr) {
        g_source_destroy(connection.retry);
        g_source_unref(connection.retry);
    }
    g_main_context_pop_thread_default(context_);
}

void IBusEngineChangeWatch::stop() {
    quitLoopAndJoin(context_, loop_, thread_);
}

}  // namespace zentrel::platform
