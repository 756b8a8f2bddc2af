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

// A program two entries run goes with neither, and the listing says why.
TEST_F(UninstallCommandsTest, DeleteLeavesAProgramAnotherEntryRunsAndSaysWhy) {
    const auto program = dir.write("home/.local/opt/inkpad/inkpad", "elf");
    std::filesystem::permissions(program, std::filesystem::perms::owner_exec, std::filesystem::perm_options::add);
    dir.write("home/.local/opt/inkpad/notes.txt", "the user's");
    for (const auto& [id, name] : {std::pair{"inkpad", "Inkpad"}, std::pair{"inkpad-viewer", "Inkpad Viewer"}})
        dir.write(std::string("home/.local/share/applications/") + id + ".desktop",
                  std::string("[Desktop Entry]\nType=Application\nName=") + name + "\nExec=" + program.string() + "\n");
    auto removed = runCli({"leftovers", "inkpad-viewer", "--home", home, "--system-root", sys, "--layout", "linux", "--delete"});
    EXPECT_EQ(removed.status, 0) << removed.err;
    EXPECT_NE(removed.out.find("Not offered: " + program.string() + " (also used by Inkpad)"), std::string::npos)
        << removed.out;
    EXPECT_FALSE(std::filesystem::exists(dir / "home/.local/share/applications/inkpad-viewer.desktop"));
    EXPECT_TRUE(std::filesystem::exists(program));
    EXPECT_TRUE(std::filesystem::exists(dir / "home/.local/opt/inkpad/notes.txt"));
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
