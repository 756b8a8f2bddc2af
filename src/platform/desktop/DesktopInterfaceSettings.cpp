#include "platform/desktop/DesktopInterfaceSettings.hpp"

#include <gio/gio.h>

#include <string>

namespace zentrel::platform {
namespace {

constexpr const char* kInterfaceSchema = "org.gnome.desktop.interface";

// The interface settings when the schema holds `key`; the caller unrefs.
GSettings* interfaceSettingsWith(std::string_view key) {
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (source == nullptr) return nullptr;
    GSettingsSchema* schema = g_settings_schema_source_lookup(source, kInterfaceSchema, TRUE);
    if (schema == nullptr) return nullptr;
    const bool known = g_settings_schema_has_key(schema, std::string(key).c_str());
    g_settings_schema_unref(schema);
    return known ? g_settings_new(kInterfaceSchema) : nullptr;
}

}  // namespace

std::optional<bool> interfaceBoolean(std::string_view key) {
    GSettings* settings = interfaceSettingsWith(key);
    if (settings == nullptr) return std::nullopt;
    const bool value = g_settings_get_boolean(settings, std::string(key).c_str());
    g_object_unref(settings);
    return value;
}

std::optional<std::string> interfaceString(std::string_view key) {
    GSettings* settings = interfaceSettingsWith(key);
    if (settings == nullptr) return std::nullopt;
    gchar* value = g_settings_get_string(settings, std::string(key).c_str());
    std::string text = value != nullptr ? value : "";
    g_free(value);
    g_object_unref(settings);
    return text;
}

bool desktopPrefersReducedMotion() { return interfaceBoolean("enable-animations") == false; }

bool desktopPrefersDark() { return interfaceString("color-scheme") == "prefer-dark"; }

InterfaceSettingWatch::InterfaceSettingWatch(std::string_view key, std::function<void()> changed)
    : changed_(std::move(changed)) {
    GSettings* settings = interfaceSettingsWith(key);
    if (settings == nullptr) return;
    settings_ = settings;
    const auto signal = "changed::" + std::string(key);
    handler_ = g_signal_connect_swapped(settings, signal.c_str(), G_CALLBACK(+[](InterfaceSettingWatch* self) {
                                            self->changed_();
                                        }), this);
    // GSettings reports changes only for keys that were read once.
    g_variant_unref(g_settings_get_value(settings, std::string(key).c_str()));
}

InterfaceSettingWatch::~InterfaceSettingWatch() {
    if (settings_ == nullptr) return;
    g_signal_handler_disconnect(settings_, handler_);
    g_object_unref(settings_);
}

}  // namespace zentrel::platform
