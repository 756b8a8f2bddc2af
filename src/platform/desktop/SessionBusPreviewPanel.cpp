#include "platform/desktop/PreviewPanel.hpp"

#include "platform/desktop/DBusHandles.hpp"
#include "platform/desktop/SessionBus.hpp"

#include <cstdlib>

namespace zentrel::platform {
namespace {

constexpr const char* kPreviewer = "org.gnome.NautilusPreviewer";

}  // namespace

std::unique_ptr<SessionBusPreviewPanel> SessionBusPreviewPanel::sharedFromEnvironment() {
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (address == nullptr || !SessionBus(address).canReach(kPreviewer)) return nullptr;
    return std::make_unique<SessionBusPreviewPanel>(address);
}

bool SessionBusPreviewPanel::show(const PreviewDataSource& dataSource) {
    if (dataSource.numberOfPreviewItems() == 0) return false;
    auto connection = dbus::openRegistered(address_);
    if (!connection) return false;
    dbus::Message call(
        dbus_message_new_method_call(kPreviewer, "/org/gnome/NautilusPreviewer", kPreviewer, "ShowFile"));
    if (!call) return false;
    const auto uri = dataSource.previewItemURL(0);
    const char* text = uri.c_str();
    const dbus_int32_t window = 0;
    const dbus_bool_t closeIfShown = FALSE;
    if (!dbus_message_append_args(call.get(), DBUS_TYPE_STRING, &text, DBUS_TYPE_INT32, &window, DBUS_TYPE_BOOLEAN,
                                  &closeIfShown, DBUS_TYPE_INVALID)) {
        return false;
    }
    dbus_message_set_no_reply(call.get(), TRUE);
    if (!dbus_connection_send(connection.get(), call.get(), nullptr)) return false;
    dbus_connection_flush(connection.get());
    return true;
}

}  // namespace zentrel::platform
