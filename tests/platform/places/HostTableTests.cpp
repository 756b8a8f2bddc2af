#include "platform/places/HostTable.hpp"

#include "platform/files/PosixFileSystem.hpp"

#include "doubles/TempDir.hpp"
#include "doubles/WarningCapture.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zentrel::platform {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;

class HostTableTest : public ::testing::Test {
protected:
    testing::TempDir dir;
    PosixFileSystem fileSystem;
    std::string home = (dir / "home").string();
    HostTable xdgTable(const std::string& systemRoot = "/") const {
        return HostTable::linuxDesktop(HostLayout::forHome(home, systemRoot), fileSystem, 1000);
    }
};

// Rows of the scanners' tables that have a place on each layout.
TEST_F(HostTableTest, EachLayoutPlacesTheRowsItHasACounterpartFor) {
    const auto mac = HostTable::macos(HostLayout::forHome(home, "/"));
    const auto xdg = xdgTable();
    struct Row {
        const HostTable::Rows HostTable::*rows;
        const char* label;
        std::string macPath;
        std::string linuxPath;
    };
    for (const auto& row : std::vector<Row>{
             {&HostTable::devToolCaches, "pip Cache", home + "/.cache/pip", home + "/.cache/pip"},
             {&HostTable::devToolCaches, "pnpm Store", home + "/Library/pnpm/store", home + "/.local/share/pnpm/store"},
             {&HostTable::devToolCaches, "Homebrew Vendor", "/usr/local/Homebrew/Library/Homebrew/vendor",
              "/home/linuxbrew/.linuxbrew/Homebrew/Library/Homebrew/vendor"},
             {&HostTable::devToolCaches, "CocoaPods Cache", home + "/Library/Caches/CocoaPods", ""},
             {&HostTable::devToolCaches, "Android Sys Images", home + "/Library/Android/sdk/system-images",
              home + "/Android/Sdk/system-images"},
             {&HostTable::appCaches, "Chrome Cache", home + "/Library/Caches/Google/Chrome", home + "/.cache/google-chrome"},
             {&HostTable::appCaches, "Safari Cache", home + "/Library/Caches/com.apple.Safari", ""},
             {&HostTable::appCaches, "Slack Logs", home + "/Library/Application Support/Slack/logs",
              home + "/.config/Slack/logs"},
             {&HostTable::mailCaches, "Mail Downloads",
              home + "/Library/Containers/com.apple.mail/Data/Library/Mail Downloads", home + "/.cache/evolution/mail"},
             {&HostTable::recentsStores, "Finder Recents", home + "/Library/Application Support/com.apple.sharedfilelist",
              home + "/.local/share/recently-used.xbel"},
             {&HostTable::recentsStores, "Spotlight History", home + "/Library/Application Support/com.apple.spotlight", ""},
             {&HostTable::historyFiles, "Fish History", "", home + "/.local/share/fish/fish_history"},
         }) {
        EXPECT_EQ(HostTable::row(mac.*row.rows, row.label), row.macPath) << row.label;
        EXPECT_EQ(HostTable::row(xdg.*row.rows, row.label), row.linuxPath) << row.label;
    }
    EXPECT_EQ(mac.trashFolders, std::vector<std::string>{home + "/.Trash"});
    EXPECT_EQ(xdg.trashFolders, std::vector<std::string>{home + "/.local/share/Trash"});
    EXPECT_TRUE(xdg.xcodeDerivedData.empty());
    EXPECT_TRUE(xdg.icloudDocuments.empty());
    EXPECT_TRUE(xdg.deviceBackups.empty());
    EXPECT_TRUE(xdg.safariCookieStores.empty());
    EXPECT_EQ(xdg.firefoxProfiles, home + "/.mozilla/firefox");
    EXPECT_TRUE(xdg.firefoxProfilesListed);
}

TEST_F(HostTableTest, TheUsersOwnFoldersComeFromUserDirsAndAreProtected) {
    dir.write("home/.config/user-dirs.dirs", "# written by xdg-user-dirs-update\n"
                                             "XDG_DOWNLOAD_DIR=\"$HOME/Telechargements\"\n"
                                             "XDG_VIDEOS_DIR=\"/media/films\"\n"
                                             "XDG_DOCUMENTS_DIR=\"$HOME/../elsewhere\"\n");
    const auto table = xdgTable();
    EXPECT_EQ(table.downloadsFolder, home + "/Telechargements");
    EXPECT_THAT(table.largeFileRoots,
                ElementsAre(home + "/Telechargements", home + "/Desktop", home + "/Documents", home + "/Videos"));
    for (const std::string& folder : {home + "/Telechargements", home + "/.config", home + "/.local/share",
                                       home + "/.local/state", home + "/.cache"}) {
        EXPECT_THAT(table.protectedFolders, Contains(folder));
    }
    EXPECT_THAT(table.protectedFolders, Not(Contains(home + "/.local/share/Trash")));
}

// A user folder that is the root, above the home, beside it, outside it or
// not normalised is ignored with a warning, and the default is used.
TEST_F(HostTableTest, UserFoldersThatAreNotInsideTheHomeAreIgnored) {
    for (const std::string value : {"/", "$HOMEx", "$HOME/.", "$HOME/a/../b", "$HOME//Downloads", "/media/films",
                                    "relative", "$HOME/.."}) {
        SCOPED_TRACE(value);
        dir.write("home/.config/user-dirs.dirs", "XDG_DOWNLOAD_DIR=\"" + value + "\"\n");
        testing::WarningCapture warnings;
        EXPECT_EQ(xdgTable().downloadsFolder, home + "/Downloads");
        EXPECT_THAT(warnings.lines(), ElementsAre(::testing::HasSubstr("XDG_DOWNLOAD_DIR")));
    }
}

TEST_F(HostTableTest, XdgBaseFoldersThatAreTheRootTheHomeOrAboveItAreIgnored) {
    const std::filesystem::path userHome = "/home/ann";
    for (const std::string value : {"/", "/home", "/home/ann", "/home/ann/", "relative/cache", "/home/ann/./x",
                                    "/home/ann/a/../.cache"}) {
        SCOPED_TRACE(value);
        testing::WarningCapture warnings;
        const auto layout = HostLayout::withXdgVariables(userHome, [&](std::string_view name) {
            return name == "XDG_CACHE_HOME" ? std::optional<std::string>(value) : std::nullopt;
        });
        EXPECT_EQ(layout.cacheHome, userHome / ".cache");
        EXPECT_THAT(warnings.lines(), ElementsAre(::testing::HasSubstr("XDG_CACHE_HOME")));
    }
    // Elsewhere is fine for a base folder, with or without a final slash.
    for (const std::string value : {"/var/cache/ann", "/home/ann/.cache2/"}) {
        const auto layout = HostLayout::withXdgVariables(userHome, [&](std::string_view) { return value; });
        EXPECT_EQ(layout.cacheHome.string() + "/", value.ends_with('/') ? value : value + "/");
        EXPECT_EQ(layout.configHome, layout.cacheHome);
    }
}

TEST_F(HostTableTest, WithoutASystemRootNothingOutsideTheHomeIsPlaced) {
    for (const auto& table : {xdgTable(""), HostTable::macos(HostLayout::forHome(home, ""))}) {
        EXPECT_TRUE(table.systemLocations.empty());
        EXPECT_EQ(table.cacheFolders.size(), 1u);
        for (const auto& folder : table.startupFolders) EXPECT_TRUE(folder.path.starts_with(home)) << folder.path;
        for (const auto& folder : table.applicationFolders) EXPECT_TRUE(folder.starts_with(home)) << folder;
        for (const auto& [label, path] : table.devToolCaches) EXPECT_TRUE(path.empty() || path.starts_with(home));
    }
    const auto rooted = xdgTable("/sys");
    EXPECT_EQ(rooted.cacheFolders.back().path, "/sys/var/tmp");
    EXPECT_EQ(rooted.startupFolders.back().path, "/sys/etc/systemd/user/default.target.wants");
}

TEST(VolumeTrashTest, EveryMountedStorageVolumeButTheRootHasAUserTrash) {
    const auto mounts = "/dev/sda2 / ext4 rw 0 0\n"
                        "proc /proc proc rw 0 0\n"
                        "/dev/sdb1 /media/me/USB vfat rw 0 0\n"
                        "tmpfs /run tmpfs rw 0 0\n"
                        "/dev/sdc1 /mnt/with\\040space ext4 rw 0 0\n"
                        "/dev/nvme0n1p3 /home btrfs rw 0 0\n";
    EXPECT_THAT(volumeTrashFolders(mounts, 1000), ElementsAre("/media/me/USB/.Trash-1000", "/home/.Trash-1000"));
}

}  // namespace
}  // namespace zentrel::platform
