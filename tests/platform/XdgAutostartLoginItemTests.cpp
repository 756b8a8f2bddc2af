#include "platform/XdgAutostartLoginItem.hpp"

#include "platform/AtomicFile.hpp"

#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

namespace zentrel::platform {
namespace {

TEST(XdgAutostartLoginItemTest, RegisteringWritesADesktopEntryAndUnregisteringRemovesIt) {
    testing::TempDir dir;
    XdgAutostartLoginItem item(dir / "config", "/opt/zen trel/bin/zentrel\"x");
    EXPECT_FALSE(item.isRegistered());
    EXPECT_EQ(item.registerApp(), std::nullopt);
    EXPECT_TRUE(item.isRegistered());
    auto entry = readWholeFile(dir / "config/autostart/com.torvane.zentrel.desktop");
    ASSERT_TRUE(entry);
    EXPECT_NE(entry->find("Exec=\"/opt/zen trel/bin/zentrel\\\"x\"\n"), std::string::npos) << *entry;
    EXPECT_EQ(item.unregisterApp(), std::nullopt);
    EXPECT_FALSE(item.isRegistered());
    EXPECT_EQ(item.unregisterApp(), std::nullopt);  // already gone is fine
}

TEST(XdgAutostartLoginItemTest, FailuresComeBackAsTexts) {
    testing::TempDir dir;
    EXPECT_TRUE(XdgAutostartLoginItem(dir / "config", "relative/zentrel").registerApp().has_value());
    auto blocked = dir.write("config-file", "x");  // the config folder is a file
    EXPECT_TRUE(XdgAutostartLoginItem(blocked, "/usr/bin/zentrel").registerApp().has_value());
}

}  // namespace
}  // namespace zentrel::platform
