#include "platform/InputMethodStatus.hpp"

#include <ibus.h>

#include <cstring>

namespace zentrel::platform {
namespace {

constexpr const char* kEngineName = "com.torvane.zentrel.ime";

// A connection to the daemon for one question; none when it cannot be reached.
IBusBus* connectedBus() {
    ibus_init();
    IBusBus* bus = ibus_bus_new();
    if (bus != nullptr && ibus_bus_is_connected(bus)) return bus;
    if (bus != nullptr) g_object_unref(bus);
    return nullptr;
}

}  // namespace

bool IBusInputMethodStatus::isInstalled() const {
    IBusBus* bus = connectedBus();
    if (bus == nullptr) return false;
    bool found = false;
    GList* engines = ibus_bus_list_engines(bus);
    for (GList* entry = engines; entry != nullptr; entry = entry->next) {
        auto* description = IBUS_ENGINE_DESC(entry->data);
        if (std::strcmp(ibus_engine_desc_get_name(description), kEngineName) == 0) found = true;
        g_object_unref(description);
    }
    g_list_free(engines);
    g_object_unref(bus);
    return found;
}

bool IBusInputMethodStatus::isSelected() const {
    IBusBus* bus = connectedBus();
    if (bus == nullptr) return false;
    IBusEngineDesc* global = ibus_bus_get_global_engine(bus);
    const bool selected = global != nullptr && std::strcmp(ibus_engine_desc_get_name(global), kEngineName) == 0;
    if (global != nullptr) g_object_unref(global);
    g_object_unref(bus);
    return selected;
}

}  // namespace zentrel::platform
