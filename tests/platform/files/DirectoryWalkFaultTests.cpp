// Failures that a real disk in a root CI run cannot produce, made up by the
// double: the walk and the mutations go on past each of them.

#include "doubles/FakeFileSystem.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zentrel::platform {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> walkedPaths(const FileSystem& fs, const std::string& root, WalkOptions options = {}) {
    std::vector<std::string> paths;
    auto walk = fs.walk(root, options);
    if (!walk) return paths;
    while (auto entry = walk->next()) paths.push_back(entry->path);
    return paths;
}

TEST(DirectoryWalkFaultTest, AnUnreadableFolderIsReturnedButNotEntered) {
    testing::FakeFileSystem fs;
    fs.addTextFile("/r/locked/secret", "x");
    fs.addTextFile("/r/open/file", "x");
    fs.makeUnreadable("/r/locked");
    auto walk = fs.walk("/r", {});
    std::vector<std::string> paths;
    while (auto entry = walk->next()) paths.push_back(entry->path);
    EXPECT_THAT(paths, ElementsAre("/r/locked", "/r/open", "/r/open/file"));
    EXPECT_EQ(walk->unreadableFolderCount(), 1u);
    EXPECT_EQ(fs.walk("/r/locked", {}), nullptr);
    EXPECT_EQ(fs.contentsOfDirectory("/r/locked", {}), std::nullopt);
}

TEST(DirectoryWalkFaultTest, AnEntryThatVanishedIsListedButPassedOverByTheWalk) {
    testing::FakeFileSystem fs;
    fs.addTextFile("/r/gone", "x");
    fs.addTextFile("/r/here", "x");
    fs.makeVanished("/r/gone");
    EXPECT_THAT(walkedPaths(fs, "/r"), ElementsAre("/r/here"));
    EXPECT_THAT(*fs.contentsOfDirectory("/r", {}), ElementsAre("gone", "here"));
    EXPECT_FALSE(fs.exists("/r/gone"));
    EXPECT_EQ(fs.attributes("/r/gone"), std::nullopt);
}

TEST(DirectoryWalkFaultTest, TheWalkStaysOnTheDeviceOfItsRoot) {
    testing::FakeFileSystem fs;
    fs.addTextFile("/r/local", "x");
    fs.addTextFile("/r/mnt/remote", "x");
    fs.setDevice("/r/mnt", 7);
    EXPECT_THAT(walkedPaths(fs, "/r"), ElementsAre("/r/local"));
    EXPECT_THAT(walkedPaths(fs, "/r/mnt"), ElementsAre("/r/mnt/remote"));
}

TEST(DirectoryWalkFaultTest, AFolderThatLoopsBackToAnAncestorIsNotEntered) {
    testing::FakeFileSystem fs;
    fs.addTextFile("/r/a/file", "x");
    fs.addTextFile("/r/a/bind/file", "x");
    fs.shareIdentity("/r/a/bind", "/r");
    EXPECT_THAT(walkedPaths(fs, "/r"), ElementsAre("/r/a", "/r/a/bind", "/r/a/file"));
}

TEST(DirectoryWalkFaultTest, ARefusedRemovalKeepsTheEntryAndItsParentsAndRemovesTheRest) {
    testing::FakeFileSystem fs;
    fs.addTextFile("/r/junk/a/locked", "x");
    fs.addTextFile("/r/junk/a/free", "x");
    fs.addTextFile("/r/junk/b/free", "x");
    fs.refuseChanges("/r/junk/a/locked", std::errc::permission_denied);
    EXPECT_EQ(fs.removeItem("/r/junk"), std::errc::permission_denied);
    EXPECT_THAT(walkedPaths(fs, "/r"), ElementsAre("/r/junk", "/r/junk/a", "/r/junk/a/locked"));
    EXPECT_EQ(fs.truncateFile("/r/junk/a/locked"), std::errc::permission_denied);

    auto removal = fs.removeContents("/r/junk/a");
    EXPECT_TRUE(removal.listed);
    EXPECT_TRUE(removal.removed.empty());
    ASSERT_EQ(removal.failures.size(), 1u);
    EXPECT_EQ(removal.failures[0].first, "/r/junk/a/locked");
}

TEST(DirectoryWalkFaultTest, SizesAndDatesAreWhatTheTestChose) {
    testing::FakeFileSystem fs;
    constexpr std::int64_t kFiveTerabytes = 5'000'000'000'000;
    fs.addFile("/r/huge", {.size = kFiveTerabytes, .allocatedSize = 7,
                           .modified = Date::fromTimeIntervalSince1970(42)});
    auto attributes = fs.attributes("/r/huge");
    ASSERT_TRUE(attributes);
    EXPECT_EQ(attributes->size, kFiveTerabytes);
    EXPECT_EQ(attributes->allocatedSize, 7);
    EXPECT_EQ(attributes->modificationDate, Date::fromTimeIntervalSince1970(42));
}

}  // namespace
}  // namespace zentrel::platform
