// zentrel-cli apps and leftovers over a fixture home and system root.

#include "CliRunner.hpp"

#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace zentrel::testing {
namespace {

class UninstallCommandsTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string home = (dir / "home").string();
    std::string sys = (dir / "sys").string();

    void SetUp() override {
        dir.write("sys/Applications/Pad.app/Contents/Info.plist",
                  R"(<?xml version="1.0"?><plist version="1.0"><dict><key>CFBundleIdentifier</key>)"
                  R"(<string>com.example.pad</string><key>CFBundleShortVersionString</key><string>3.0</string></dict></plist>)");
        dir.write("home/Library/Caches/com.example.pad/blob", std::string(3000, 'b'));
        dir.write("home/Library/Preferences/com.example.pad.plist", "p");
    }
};

TEST_F(UninstallCommandsTest, ListsApplicationsAndLeftoversWithoutRemovingAnything) {
    auto apps = runCli({"apps", "--home", home, "--system-root", sys, "--layout", "macos"});
    EXPECT_EQ(apps.status, 0);
    EXPECT_NE(apps.out.find("Pad\tcom.example.pad\t3.0\t" + sys + "/Applications/Pad.app"), std::string::npos) << apps.out;

    auto listed = runCli({"leftovers", "com.example.pad", "--home", home, "--system-root", sys, "--layout", "macos"});
    EXPECT_EQ(listed.status, 0);
    EXPECT_NE(listed.out.find(home + "/Library/Caches/com.example.pad"), std::string::npos) << listed.out;
    EXPECT_NE(listed.out.find(home + "/Library/Preferences/com.example.pad.plist"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(dir / "home/Library/Caches/com.example.pad/blob"));

    EXPECT_EQ(runCli({"leftovers", "com.example.none", "--home", home, "--system-root", sys, "--layout", "macos"}).status, 1);
    EXPECT_EQ(runCli({"leftovers", "com.example.pad", "--delete"}).status, 2);
}

TEST_F(UninstallCommandsTest, DeleteRemovesTheApplicationAndItsLeftovers) {
    auto removed = runCli({"leftovers", "com.example.pad", "--home", home, "--system-root", sys, "--layout", "macos", "--delete"});
    EXPECT_EQ(removed.status, 0) << removed.out;
    EXPECT_FALSE(std::filesystem::exists(dir / "sys/Applications/Pad.app"));
    EXPECT_FALSE(std::filesystem::exists(dir / "home/Library/Caches/com.example.pad"));
    EXPECT_FALSE(std::filesystem::exists(dir / "home/Library/Preferences/com.example.pad.plist"));
    EXPECT_TRUE(std::filesystem::exists(dir / "home/Library/Caches"));
}

TEST_F(UninstallCommandsTest, DesktopEntryNamesReachTheTerminalWithTheirControlCharactersEscaped) {
    dir.write("home/.local/share/applications/evil.desktop",
              "[Desktop Entry]\nType=Application\nName=Evil\x1b]0;owned\x07\\nLine\xc2\x9b" "2J\nExec=evil\n");
    auto apps = runCli({"apps", "--home", home, "--system-root", sys, "--layout", "linux"});
    EXPECT_EQ(apps.status, 0);
    EXPECT_NE(apps.out.find("Evil\\x1b]0;owned\\x07\\nLine\\xc2\\x9b2J\tevil\t"), std::string::npos) << apps.out;
    EXPECT_EQ(apps.out.find('\x1b'), std::string::npos);
}

}  // namespace
}  // namespace zentrel::testing
