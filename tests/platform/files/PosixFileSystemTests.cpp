#include "doubles/TempDir.hpp"
#include "platform/concurrency/TaskPool.hpp"
#include "platform/files/FileNames.hpp"
#include "platform/files/PosixFileSystem.hpp"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

namespace zentrel::platform {
namespace {

TEST(PosixFileSystemTest, AttributesGiveLogicalAndAllocatedSizeTypeAndDate) {
    testing::TempDir dir;
    auto file = dir.write("one-byte", "x").string();
    const timespec times[2] = {{1'500'000'000, 0}, {1'600'000'123, 500'000'000}};
    ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);

    PosixFileSystem fs;
    auto attributes = fs.attributes(file);
    ASSERT_TRUE(attributes);
    EXPECT_EQ(attributes->type, FileType::regular);
    EXPECT_EQ(attributes->size, 1);
    EXPECT_EQ(attributes->allocatedSize, static_cast<std::int64_t>(st.st_blocks) * 512);
    EXPECT_DOUBLE_EQ(attributes->modificationDate.timeIntervalSince1970(), 1'600'000'123.5);
    EXPECT_EQ(attributes->identity.inode, st.st_ino);
    EXPECT_TRUE(fs.exists(file));
    EXPECT_FALSE(fs.exists(dir.path() / "missing"));
    EXPECT_EQ(fs.attributes(""), std::nullopt);
}

TEST(PosixFileSystemTest, ADanglingLinkExistsAndHasItsOwnAttributes) {
    testing::TempDir dir;
    auto link = (dir / "dangling").string();
    std::filesystem::create_symlink(dir / "nowhere", link);
    PosixFileSystem fs;
    EXPECT_TRUE(fs.exists(link));
    EXPECT_EQ(fs.attributes(link)->type, FileType::symbolicLink);
    EXPECT_EQ(fs.resolvedAttributes(link), std::nullopt);
    EXPECT_FALSE(fs.removeItem(link));
    EXPECT_FALSE(fs.exists(link));
}

TEST(PosixFileSystemTest, TruncateAndReadRefuseLinksAndPipes) {
    testing::TempDir dir;
    auto target = dir.write("target", "keep me").string();
    auto link = (dir / "link").string();
    std::filesystem::create_symlink(target, link);
    auto pipe = (dir / "pipe").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);

    PosixFileSystem fs;
    EXPECT_TRUE(fs.truncateFile(link));
    EXPECT_EQ(fs.readFile(target), "keep me");
    EXPECT_EQ(fs.readFile(pipe), std::nullopt);
    EXPECT_TRUE(fs.truncateFile(pipe));
    EXPECT_EQ(fs.readFile(target, 3), std::nullopt);
}

TEST(PosixFileSystemTest, EmptyingAFileWithAnotherLinkLeavesTheOtherNameWhole) {
    testing::TempDir dir;
    const auto outside = dir.write("outside/history", "shared lines\n").string();
    const auto history = (dir / "home/.bash_history").string();
    std::filesystem::create_directories(dir / "home");
    std::filesystem::create_hard_link(outside, history);
    ::chmod(history.c_str(), 0640);

    PosixFileSystem fs;
    ASSERT_FALSE(fs.truncateFile(history));
    EXPECT_EQ(fs.readFile(outside), "shared lines\n") << "the shared inode is never cut";
    EXPECT_EQ(fs.readFile(history), "");
    struct stat st {};
    ASSERT_EQ(::stat(history.c_str(), &st), 0);
    EXPECT_EQ(st.st_nlink, 1u);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "home"), {}), 1) << "no temporary file is left";
}

TEST(PosixFileSystemTest, CopyKeepsTheModificationDate) {
    testing::TempDir dir;
    auto source = dir.write("source", "data").string();
    const timespec times[2] = {{1'500'000'000, 0}, {1'500'000'000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, source.c_str(), times, 0), 0);
    PosixFileSystem fs;
    auto copy = (dir / "copy").string();
    ASSERT_FALSE(fs.copyFile(source, copy));
    EXPECT_DOUBLE_EQ(fs.attributes(copy)->modificationDate.timeIntervalSince1970(), 1'500'000'000.0);
}

TEST(PosixFileSystemTest, AWalkOverALinkCycleEnds) {
    testing::TempDir dir;
    dir.makeDirectory("a/b");
    std::filesystem::create_symlink(dir / "a", dir / "a/b/back-to-a");
    std::filesystem::create_symlink("../..", dir / "a/b/up");
    PosixFileSystem fs;
    auto walk = fs.walk((dir / "a").string(), {});
    ASSERT_NE(walk, nullptr);
    int count = 0;
    while (walk->next()) ++count;
    EXPECT_EQ(count, 3);
}

TEST(PosixFileSystemTest, DiskUsageOnAllCoresCountsWhatTheWalkCounts) {
    zentrel::testing::TempDir dir;
    for (int i = 0; i < 300; ++i) {
        dir.write("tree/d" + std::to_string(i % 7) + "/e" + std::to_string(i % 13) + "/f" + std::to_string(i),
                  std::string(static_cast<std::size_t>(i) * 100, 'z'));
    }
    dir.write("tree/.hidden/data", std::string(50000, 'h'));
    std::filesystem::create_hard_link(dir / "tree/d1/e1/f1", dir / "tree/d2/linked");
    dir.write("outside/big", std::string(1'000'000, 'o'));
    std::filesystem::create_directory_symlink(dir / "outside", dir / "tree/d3/link");
    PosixFileSystem fileSystem;
    TaskPool pool(4);
    const auto tree = (dir / "tree").string();
    const auto walked = fileSystem.FileSystem::diskUsage(tree);
    EXPECT_GT(walked, 300 * 4096);
    EXPECT_EQ(fileSystem.diskUsage(tree, &pool), walked);
    EXPECT_EQ(fileSystem.diskUsage(tree), walked);
    EXPECT_EQ(fileSystem.diskUsage((dir / "missing").string(), &pool), 0);
}

// A chain of folders far deeper than the descriptors a process may open
// goes entirely, by removeItem and by removeContents (emptying a Trash).
TEST(PosixFileSystemTest, DeepTreesGoUnderALowDescriptorLimit) {
    testing::TempDir dir;
    PosixFileSystem fileSystem;
    constexpr int kDepth = 300;
    for (const auto* root : {"tree", "trash/files"}) {
        std::filesystem::create_directories(dir / root);
        int fd = ::open((dir / root).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        for (int level = 0; level < kDepth; ++level) {
            ASSERT_EQ(::mkdirat(fd, "d", 0700), 0);
            ::close(::openat(fd, "f", O_WRONLY | O_CREAT | O_CLOEXEC, 0600));
            const int next = ::openat(fd, "d", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            ::close(fd);
            fd = next;
        }
        ::close(fd);
    }
    rlimit original{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &original), 0);
    rlimit low = original;
    low.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &low), 0);
    const auto removed = fileSystem.removeItem((dir / "tree").string());
    const auto emptied = fileSystem.removeContents((dir / "trash").string(), {}, {});
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &original), 0);

    EXPECT_FALSE(removed) << removed.message();
    EXPECT_FALSE(std::filesystem::exists(dir / "tree"));
    EXPECT_TRUE(emptied.failures.empty());
    EXPECT_TRUE(std::filesystem::is_empty(dir / "trash"));
}

TEST(FileNamesTest, HiddenAndPackageNames) {
    EXPECT_TRUE(isHiddenName(".git"));
    EXPECT_FALSE(isHiddenName("git"));
    EXPECT_FALSE(isHiddenName(""));
    for (const char* name : {"Xcode.app", "Foo.framework", "X.BUNDLE", "Library.photoslibrary", "Talk.key", "a.rtfd"})
        EXPECT_TRUE(isPackageName(name)) << name;
    for (const char* name : {"app", ".app", "notes.txt", "apps", "my.application"})
        EXPECT_FALSE(isPackageName(name)) << name;
}

TEST(FileNamesTest, PathComponents) {
    EXPECT_EQ(lastPathComponent("/a/b.txt"), "b.txt");
    EXPECT_EQ(lastPathComponent("/a/b/"), "b");
    EXPECT_EQ(lastPathComponent("name"), "name");
    EXPECT_EQ(lastPathComponent("/"), "/");
    EXPECT_EQ(appendingPathComponent("/a", "b"), "/a/b");
    EXPECT_EQ(appendingPathComponent("/a/", "b"), "/a/b");
    EXPECT_EQ(appendingPathComponent("/", "b"), "/b");
}

}  // namespace
}  // namespace zentrel::platform
