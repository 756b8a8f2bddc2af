#include "platform/desktop/PreviewPanel.hpp"

#include "platform/desktop/DBusHandles.hpp"

#include <cstdlib>
#include <utility>

namespace zentrel::platform {
namespace {

constexpr const char* kPreviewer = "org.gnome.NautilusPreviewer";

}  // namespace

bool askSessionPreviewer(const std::string& url) {
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    auto connection = dbus::openRegistered(address != nullptr ? address : "");
    if (!connection || !dbus::canReach(connection.get(), kPreviewer)) return false;
    dbus::Message call(
        dbus_message_new_method_call(kPreviewer, "/org/gnome/NautilusPreviewer", kPreviewer, "ShowFile"));
    if (!call) return false;
    const char* text = url.c_str();
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

SessionBusPreviewPanel::SessionBusPreviewPanel(Executor& worker, MainQueue& main, Ask ask)
    : worker_(worker), main_(main), ask_(std::move(ask)) {}

void SessionBusPreviewPanel::show(const PreviewDataSource& dataSource, Done done) {
    if (dataSource.numberOfPreviewItems() == 0) {
        main_.post([done = std::move(done)] { done(false); });
        return;
    }
    worker_.submit([&main = main_, ask = ask_, url = dataSource.previewItemURL(0), done = std::move(done)]() mutable {
        const bool asked = ask(url);
        main.post([done = std::move(done), asked] { done(asked); });
    });
}

}  // namespace zentrel::platform
