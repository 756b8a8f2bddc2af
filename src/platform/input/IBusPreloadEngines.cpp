#include "platform/input/IBusPreloadEngines.hpp"

#include <gio/gio.h>

#include <algorithm>
#include <vector>

namespace zentrel::platform {
namespace {

constexpr const char* kSchema = "org.freedesktop.ibus.general";
constexpr const char* kLists[] = {"preload-engines", "engines-order"};

GSettings* ibusSettings() {
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (source == nullptr) return nullptr;
    GSettingsSchema* schema = g_settings_schema_source_lookup(source, kSchema, TRUE);
    if (schema == nullptr) return nullptr;
    g_settings_schema_unref(schema);
    return g_settings_new(kSchema);
}

std::vector<std::string> storedList(GSettings* settings, const char* key) {
    gchar** stored = g_settings_get_strv(settings, key);
    std::vector<std::string> engines;
    for (gchar** entry = stored; entry != nullptr && *entry != nullptr; ++entry) engines.emplace_back(*entry);
    g_strfreev(stored);
    return engines;
}

// Rewrites both lists with `engine` removed, then put first when `first`.
bool rewriteLists(const std::string& engine, bool first) {
    GSettings* settings = ibusSettings();
    if (settings == nullptr) return false;
    bool written = true;
    for (const char* key : kLists) {
        auto engines = storedList(settings, key);
        std::erase(engines, engine);
        if (first) engines.insert(engines.begin(), engine);
        std::vector<const gchar*> values;
        for (const auto& name : engines) values.push_back(name.c_str());
        values.push_back(nullptr);
        written = g_settings_set_strv(settings, key, values.data()) && written;
    }
    g_object_unref(settings);
    return written;
}

}  // namespace

bool putIBusEngineFirst(const std::string& engine) { return rewriteLists(engine, true); }

bool removeIBusPreloadEngine(const std::string& engine) { return rewriteLists(engine, false); }

std::vector<std::string> ibusPreloadEngines() {
    GSettings* settings = ibusSettings();
    if (settings == nullptr) return {};
    auto engines = storedList(settings, kLists[0]);
    g_object_unref(settings);
    return engines;
}

}  // namespace zentrel::platform
