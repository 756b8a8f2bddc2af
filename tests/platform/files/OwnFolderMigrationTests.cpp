#include "platform/files/OwnFolderMigration.hpp"

#include "platform/files/AtomicFile.hpp"

#include "doubles/TempDir.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace zentrel::platform {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

std::string contentsOf(const fs::path& path) { return readWholeFile(path).value_or("(missing)"); }

TEST(OwnFolderMigrationTest, OlderFoldersMoveIntoTheOwnFolderWithoutOverwritingOrFollowingLinks) {
    testing::TempDir dir;
    const auto layout = HostLayout::forHome(dir / "home");
    const auto data = dir / "home/.local/share";
    dir.write("home/.local/share/Zentrel/lastColdLaunchMs.txt", "812");
    dir.write("home/.local/share/com.torvane.zentrel/ime-shared.json", "{\"old\":1}");
    dir.write("home/.local/share/com.torvane.zentrel/notes/a", "a");
    dir.write("home/.local/share/zentrel/SweepBackups/x", "backup");
    dir.write("home/.local/share/Zentrel/SweepBackups/y", "older backup");
    dir.write("elsewhere/secret", "s");
    fs::create_symlink(dir / "elsewhere", data / "Zentrel/link");

    const auto result = moveLegacyOwnFolders(layout);
    EXPECT_EQ(result.moved, 4);
    EXPECT_THAT(result.kept, ElementsAre((data / "Zentrel/SweepBackups").string()));
    EXPECT_EQ(contentsOf(data / "zentrel/lastColdLaunchMs.txt"), "812");
    EXPECT_EQ(contentsOf(data / "zentrel/ime-shared.json"), "{\"old\":1}");
    EXPECT_EQ(contentsOf(data / "zentrel/notes/a"), "a");
    EXPECT_EQ(fs::read_symlink(data / "zentrel/link"), dir / "elsewhere") << "moved as a link";
    EXPECT_EQ(contentsOf(dir / "elsewhere/secret"), "s");
    EXPECT_EQ(contentsOf(data / "zentrel/SweepBackups/x"), "backup") << "nothing is overwritten";
    EXPECT_EQ(contentsOf(data / "Zentrel/SweepBackups/y"), "older backup") << "what stays stays where it was";
    EXPECT_FALSE(fs::exists(data / "com.torvane.zentrel")) << "an emptied folder goes";

    EXPECT_EQ(moveLegacyOwnFolders(layout).moved, 0) << "a second start finds nothing new";
}

TEST(OwnFolderMigrationTest, FoldersThatAreLinksAreLeftAloneAndNothingIsCreatedWithoutOlderData) {
    testing::TempDir dir;
    const auto layout = HostLayout::forHome(dir / "home");
    const auto data = dir / "home/.local/share";
    dir.makeDirectory("home/.local/share");
    EXPECT_EQ(moveLegacyOwnFolders(layout).moved, 0);
    EXPECT_FALSE(fs::exists(data / "zentrel"));

    // An older folder that is a link.
    dir.write("outside/ime-shared.json", "{}");
    fs::create_symlink(dir / "outside", data / "com.torvane.zentrel");
    EXPECT_EQ(moveLegacyOwnFolders(layout).moved, 0);
    EXPECT_TRUE(fs::exists(dir / "outside/ime-shared.json"));

    // An own folder that is a link.
    dir.write("home/.local/share/Zentrel/lastColdLaunchMs.txt", "1");
    dir.makeDirectory("target");
    fs::create_symlink(dir / "target", data / "zentrel");
    EXPECT_EQ(moveLegacyOwnFolders(layout).moved, 0);
    EXPECT_TRUE(fs::exists(data / "Zentrel/lastColdLaunchMs.txt"));
    EXPECT_TRUE(fs::is_empty(dir / "target"));

    EXPECT_EQ(moveLegacyOwnFolders(HostLayout::forHome(dir / "nobody")).moved, 0);
    EXPECT_FALSE(fs::exists(dir / "nobody"));
}

}  // namespace
}  // namespace zentrel::platform
