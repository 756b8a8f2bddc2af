#include "platform/desktop/SessionBusNotificationCenter.hpp"

#include "platform/desktop/DBusHandles.hpp"

#include "doubles/PrivateSessionBus.hpp"

#include <gtest/gtest.h>

#include <string>

namespace zentrel::platform {
namespace {

// The first notification name heard on `listener`, waiting up to five seconds.
std::string nextNotification(DBusConnection* listener) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        dbus_connection_read_write(listener, 100);
        while (DBusMessage* raw = dbus_connection_pop_message(listener)) {
            dbus::Message message(raw);
            if (!dbus_message_is_signal(message.get(), std::string(kNotificationInterface).c_str(),
                                        std::string(kNotificationSignal).c_str())) {
                continue;
            }
            const char* name = nullptr;
            if (dbus_message_get_args(message.get(), nullptr, DBUS_TYPE_STRING, &name, DBUS_TYPE_INVALID)) return name;
        }
    }
    return {};
}

TEST(SessionBusNotificationCenterTest, WithoutABusNothingIsPosted) {
    EXPECT_FALSE(SessionBusNotificationCenter("").post("a.b"));
    EXPECT_FALSE(SessionBusNotificationCenter("unix:path=/nonexistent/bus").post("a.b"));
}

TEST(SessionBusNotificationCenterTest, ListenersOnTheBusHearTheName) {
    testing::PrivateSessionBus bus;
    if (bus.address().empty()) GTEST_SKIP() << "dbus-daemon is not installed";
    auto listener = dbus::openRegistered(bus.address());
    ASSERT_TRUE(listener);
    const std::string rule = "type='signal',interface='" + std::string(kNotificationInterface) + "'";
    dbus_bus_add_match(listener.get(), rule.c_str(), nullptr);
    dbus_connection_flush(listener.get());

    SessionBusNotificationCenter center(bus.address());
    ASSERT_TRUE(center.post("com.torvane.zentrel.vietIME.settingsDidChange"));
    EXPECT_EQ(nextNotification(listener.get()), "com.torvane.zentrel.vietIME.settingsDidChange");
}

}  // namespace
}  // namespace zentrel::platform
