#include "engine/DeletionGuard.hpp"

#include "doubles/FakeFileSystem.hpp"

#include <gtest/gtest.h>

namespace zentrel::engine {
namespace {

using Use = DeletionGuard::Use;

TEST(DeletionGuardTest, ALinuxTableProtectsTheXdgFoldersAndAllowsOnlyItsSystemLocations) {
    testing::FakeFileSystem fs;
    auto layout = platform::HostLayout::forHome("/home/me", "/");
    layout.configHome = "/data/settings";  // XDG_CONFIG_HOME outside the home
    const auto table = platform::HostTable::linuxDesktop(layout, fs, 1000, {"/media/usb/.Trash-1000"});
    const DeletionGuard guard(fs, table);
    fs.addDirectory("/home/me/.local/share/Trash/files");
    fs.addDirectory("/data/settings/app");
    fs.addSymlink("/home/me/.cache/linked", "/etc");
    fs.addFile("/home/me/.cache/linked/passwd", {.size = 1});

    struct Case {
        const char* path;
        Use use;
        bool refused;
    };
    for (const auto& c : std::vector<Case>{
             {"/home/me/.local/share", Use::changeInPlace, true},
             {"/home/me/.local/state", Use::removeEntry, true},
             {"/home/me/.cache", Use::changeInPlace, true},
             {"/data/settings", Use::removeEntry, true},
             {"/data/settings/app", Use::removeEntry, true},  // outside the home and every system location
             {"/home/me/.local/share/Trash", Use::changeInPlace, false},
             {"/home/me/.cache/pip", Use::removeEntry, false},
             {"/home/me/.cache/linked/passwd", Use::removeEntry, true},
             {"/var/tmp/build", Use::removeEntry, false},
             {"/var/tmp", Use::changeInPlace, true},
             {"/var/lib/dpkg", Use::removeEntry, true},
             {"/etc/xdg/autostart/indexer.desktop", Use::removeEntry, true},
             {"/media/usb/.Trash-1000", Use::changeInPlace, false},
             {"/media/usb/.Trash-1000", Use::removeEntry, true},
             {"/media/usb/photos", Use::removeEntry, true},
         }) {
        EXPECT_EQ(guard.refusal(c.path, c.use).has_value(), c.refused) << c.path;
    }
}

TEST(DeletionGuardTest, WithoutASystemRootOnlyTheHomeIsReachable) {
    testing::FakeFileSystem fs;
    const auto table = platform::HostTable::macos(platform::HostLayout::forHome("/Users/me", ""));
    const DeletionGuard guard(fs, table);
    EXPECT_TRUE(guard.refusal("/Library/LaunchAgents/com.vendor.plist", Use::removeEntry));
    EXPECT_TRUE(guard.refusal("/usr/local/Homebrew/Library/Homebrew/vendor", Use::removeEntry));
    EXPECT_FALSE(guard.refusal("/Users/me/Library/Caches/app", Use::removeEntry));
}

}  // namespace
}  // namespace zentrel::engine
