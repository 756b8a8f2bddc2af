#include "platform/desktop/XdgAutostartLoginItem.hpp"

#include "platform/files/AtomicFile.hpp"

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
    EXPECT_NE(entry->find(R"(Exec="/opt/zen trel/bin/zentrel\\"x")" "\n"), std::string::npos) << *entry;
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

// The Exec argument is quoted, then escaped as a string value: a path with a
// newline, a percent sign or a backslash starts exactly that path.
TEST(XdgAutostartLoginItemTest, ExecIsQuotedAsDesktopEntriesRequire) {
    const std::pair<std::string, std::string> cases[] = {
        {"/data/a b/zentrel-ime", R"(Exec="/data/a b/zentrel-ime")"},
        {"/data/50%u/x", R"(Exec="/data/50%%u/x")"},
        {"/data/line\nbreak/x", R"(Exec="/data/line\nbreak/x")"},
        {"/data/back\\slash/x", R"(Exec="/data/back\\\\slash/x")"},
        {"/data/$HOME`id`/x", R"(Exec="/data/\\$HOME\\`id\\`/x")"},
    };
    for (const auto& [path, line] : cases) {
        testing::TempDir dir;
        XdgAutostartLoginItem item(dir / "config", path);
        ASSERT_EQ(item.registerApp(), std::nullopt);
        const auto entry = readWholeFile(item.entryPath()).value_or("");
        EXPECT_NE(entry.find("\n" + line + "\n"), std::string::npos) << entry;
    }
}

}  // namespace
}  // namespace zentrel::platform
