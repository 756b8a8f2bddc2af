#pragma once
// Listens on the user's session bus for the main app's announcement that the
// typing settings changed, and passes it on as a signal on the main loop.

#include "platform/settings/Observable.hpp"

#include <gio/gio.h>

#include <string>

namespace zentrel::ime {

class SettingsChangeListener {
public:
    // Does nothing when there is no session bus: settings then change only
    // through the per-key reads of the snapshot.
    SettingsChangeListener(std::string notificationName, platform::Signal<>& settingsChanged);
    ~SettingsChangeListener();
    SettingsChangeListener(const SettingsChangeListener&) = delete;
    SettingsChangeListener& operator=(const SettingsChangeListener&) = delete;

    [[nodiscard]] bool isListening() const { return connection_ != nullptr; }

private:
    static void received(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*, GVariant*,
                         gpointer self);

    std::string notificationName_;
    platform::Signal<>& settingsChanged_;
    GDBusConnection* connection_ = nullptr;
    guint subscription_ = 0;
};

}  // namespace zentrel::ime
