#include "platform/desktop/FocusStatusCenter.hpp"

#include <gio/gio.h>

namespace zentrel::platform {

std::optional<bool> DesktopFocusStatusCenter::isFocused() const {
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (source == nullptr) return false;
    GSettingsSchema* schema = g_settings_schema_source_lookup(source, "org.gnome.desktop.notifications", TRUE);
    if (schema == nullptr) return false;
    const bool known = g_settings_schema_has_key(schema, "show-banners");
    g_settings_schema_unref(schema);
    if (!known) return false;
    GSettings* settings = g_settings_new("org.gnome.desktop.notifications");
    const bool banners = g_settings_get_boolean(settings, "show-banners");
    g_object_unref(settings);
    return !banners;
}

}  // namespace zentrel::platform
