#include "platform/input/InputMethodStatus.hpp"

#include "platform/input/IBusAddress.hpp"
#include "platform/input/IBusEngineChangeWatch.hpp"

#include <ibus.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace zentrel::platform {
namespace {

constexpr const char* kEngineName = "com.torvane.zentrel.ime";

// One of the daemon's properties, asked over a connection of its own: the
// library's shared connection stays closed after the daemon restarts until
// a main loop lets it reconnect.
GVariant* daemonProperty(const char* name) {
    const auto address = ibusAddress();
    if (!address) return nullptr;
    GDBusConnection* connection = g_dbus_connection_new_for_address_sync(
        address->c_str(),
        static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                          G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, nullptr, nullptr);
    if (connection == nullptr) return nullptr;
    GVariant* reply = g_dbus_connection_call_sync(connection, IBUS_SERVICE_IBUS, IBUS_PATH_IBUS,
                                                  "org.freedesktop.DBus.Properties", "Get",
                                                  g_variant_new("(ss)", IBUS_INTERFACE_IBUS, name),
                                                  G_VARIANT_TYPE("(v)"), G_DBUS_CALL_FLAGS_NONE, 2000, nullptr, nullptr);
    g_dbus_connection_close_sync(connection, nullptr, nullptr);
    g_object_unref(connection);
    if (reply == nullptr) return nullptr;
    GVariant* value = nullptr;
    g_variant_get(reply, "(v)", &value);
    g_variant_unref(reply);
    return value;
}

// The name of a serialized engine description.
std::optional<std::string> engineName(GVariant* serialized) {
    IBusSerializable* object = ibus_serializable_deserialize_object(serialized);
    if (object == nullptr) return std::nullopt;
    std::optional<std::string> name;
    if (IBUS_IS_ENGINE_DESC(object)) name = ibus_engine_desc_get_name(IBUS_ENGINE_DESC(object));
    g_object_unref(object);
    return name;
}

// Whether a list property of the daemon holds the engine.
bool listsEngine(const char* property) {
    GVariant* engines = daemonProperty(property);
    if (engines == nullptr) return false;
    bool found = false;
    GVariantIter iter;
    g_variant_iter_init(&iter, engines);
    while (GVariant* entry = g_variant_iter_next_value(&iter)) {
        GVariant* serialized = g_variant_get_variant(entry);
        if (engineName(serialized) == kEngineName) found = true;
        g_variant_unref(serialized);
        g_variant_unref(entry);
    }
    g_variant_unref(engines);
    return found;
}

}  // namespace

// The engines of IBus's component folder (a system-wide install), or those
// a running engine program registered itself (a per-user install).
bool IBusInputMethodStatus::isInstalled() const { return listsEngine("Engines") || listsEngine("ActiveEngines"); }

bool IBusInputMethodStatus::isSelected() const { return currentEngine() == kEngineName; }

bool IBusInputMethodStatus::isRunning() const {
    GVariant* engines = daemonProperty("Engines");
    if (engines != nullptr) g_variant_unref(engines);
    return engines != nullptr;
}

bool IBusInputMethodStatus::isProvidedBySystem() const { return listsEngine("Engines"); }

bool IBusInputMethodStatus::desktopKeepsInputSources() const {
    const char* desktops = std::getenv("XDG_CURRENT_DESKTOP");
    return desktops != nullptr && std::strstr(desktops, "GNOME") != nullptr;
}

std::optional<std::string> IBusInputMethodStatus::currentEngine() const {
    GVariant* global = daemonProperty("GlobalEngine");
    if (global == nullptr) return std::nullopt;
    auto name = engineName(global);
    g_variant_unref(global);
    return name;
}

Subscription IBusInputMethodStatus::observeEngineChanges(std::function<void()> changed,
                                                         std::function<void()> listening) const {
    auto watch = std::make_shared<IBusEngineChangeWatch>(std::move(changed), std::move(listening));
    return Subscription([watch] { watch->stop(); });
}

}  // namespace zentrel::platform
