// The rules of the walk, checked on the real file system and on the double
// with the same trees.

#include "doubles/FakeFileSystem.hpp"
#include "doubles/TempDir.hpp"
#include "platform/files/PosixFileSystem.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace zentrel::platform {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Builds one tree on either backend, under `root()`.
class Tree {
public:
    virtual ~Tree() = default;
    virtual FileSystem& fs() = 0;
    [[nodiscard]] virtual std::string root() const = 0;
    virtual void file(const std::string& relative, const std::string& contents) = 0;
    virtual void folder(const std::string& relative) = 0;
    virtual void link(const std::string& relative, const std::string& target) = 0;
    [[nodiscard]] std::string at(const std::string& relative) const { return root() + "/" + relative; }
};

class RealTree final : public Tree {
public:
    FileSystem& fs() override { return fs_; }
    [[nodiscard]] std::string root() const override { return dir_.path().string(); }
    void file(const std::string& relative, const std::string& contents) override { dir_.write(relative, contents); }
    void folder(const std::string& relative) override { dir_.makeDirectory(relative); }
    void link(const std::string& relative, const std::string& target) override {
        std::filesystem::create_symlink(target, dir_ / relative);
    }

private:
    testing::TempDir dir_;
    PosixFileSystem fs_;
};

class FakeTree final : public Tree {
public:
    FakeTree() { fs_.addDirectory("/tree"); }
    FileSystem& fs() override { return fs_; }
    [[nodiscard]] std::string root() const override { return "/tree"; }
    void file(const std::string& relative, const std::string& contents) override { fs_.addTextFile(at(relative), contents); }
    void folder(const std::string& relative) override { fs_.addDirectory(at(relative)); }
    void link(const std::string& relative, const std::string& target) override { fs_.addSymlink(at(relative), target); }

private:
    testing::FakeFileSystem fs_;
};

template <class Backend>
class DirectoryWalkTest : public ::testing::Test {
protected:

    // "relative-path depth" of every entry, in walk order.
    std::vector<std::string> walkAll(WalkOptions options, const std::string& relativeRoot = "") {
        std::string start = relativeRoot.empty() ? tree->root() : tree->at(relativeRoot);
        auto walk = tree->fs().walk(start, options);
        EXPECT_NE(walk, nullptr);
        std::vector<std::string> seen;
        if (!walk) return seen;
        while (auto entry = walk->next()) {
            seen.push_back(entry->path.substr(start.size() + 1) + " " + std::to_string(entry->depth));
        }
        return seen;
    }

    Backend backend;
    Tree* tree = &backend;
};

using Backends = ::testing::Types<RealTree, FakeTree>;
TYPED_TEST_SUITE(DirectoryWalkTest, Backends);

TYPED_TEST(DirectoryWalkTest, ReturnsEveryEntryDepthFirstInNameOrder) {
    this->tree->file("b/inner.txt", "x");
    this->tree->file("a.txt", "x");
    this->tree->file("c/d/deep.txt", "x");
    EXPECT_THAT(this->walkAll({}), ElementsAre("a.txt 1", "b 1", "b/inner.txt 2", "c 1", "c/d 2", "c/d/deep.txt 3"));
}

TYPED_TEST(DirectoryWalkTest, HiddenEntriesAreNeitherReturnedNorEnteredWhenSkipped) {
    this->tree->file(".hidden/inside.txt", "x");
    this->tree->file(".dotfile", "x");
    this->tree->file("shown/.also-hidden", "x");
    this->tree->file("shown/file", "x");
    EXPECT_THAT(this->walkAll({.skipHiddenEntries = true}), ElementsAre("shown 1", "shown/file 2"));
    EXPECT_EQ(this->walkAll({}).size(), 6u);
}

TYPED_TEST(DirectoryWalkTest, PackagesAreReturnedButNotEnteredWhenSkipped) {
    this->tree->file("Tool.app/Contents/Info.plist", "x");
    this->tree->file("Lib.FrameWork/lib.so", "x");
    this->tree->file("plain.dir/file", "x");
    EXPECT_THAT(this->walkAll({.skipPackageContents = true}), ElementsAre("Lib.FrameWork 1", "Tool.app 1", "plain.dir 1",
                                                                          "plain.dir/file 2"));
    EXPECT_EQ(this->walkAll({}).size(), 7u);
}

TYPED_TEST(DirectoryWalkTest, SkipDescendantsLeavesTheLastFolderUnvisited) {
    this->tree->file("keep/a", "x");
    this->tree->file("node_modules/pkg/index.js", "x");
    this->tree->file("z", "x");
    auto walk = this->tree->fs().walk(this->tree->root(), {});
    ASSERT_NE(walk, nullptr);
    std::vector<std::string> names;
    while (auto entry = walk->next()) {
        names.push_back(entry->name);
        if (entry->name == "node_modules") walk->skipDescendants();
    }
    EXPECT_THAT(names, ElementsAre("keep", "a", "node_modules", "z"));
}

TYPED_TEST(DirectoryWalkTest, LinksAreReturnedAsLinksAndNeverFollowed) {
    this->tree->file("outside/big.bin", std::string(10000, 'x'));
    this->tree->folder("walked");
    this->tree->link("walked/to-outside", this->tree->at("outside"));
    this->tree->link("walked/loop", "..");
    auto walk = this->tree->fs().walk(this->tree->at("walked"), {});
    ASSERT_NE(walk, nullptr);
    std::vector<std::string> names;
    while (auto entry = walk->next()) {
        EXPECT_EQ(entry->attributes.type, FileType::symbolicLink) << entry->name;
        names.push_back(entry->name);
    }
    EXPECT_THAT(names, ElementsAre("loop", "to-outside"));
}

TYPED_TEST(DirectoryWalkTest, ALinkAtTheRootItselfIsFollowed) {
    this->tree->file("real/file", "x");
    this->tree->link("alias", this->tree->at("real"));
    EXPECT_THAT(this->walkAll({}, "alias"), ElementsAre("file 1"));
}

TYPED_TEST(DirectoryWalkTest, ARootThatIsNotAFolderGivesNoWalk) {
    this->tree->file("file", "x");
    EXPECT_EQ(this->tree->fs().walk(this->tree->at("file"), {}), nullptr);
    EXPECT_EQ(this->tree->fs().walk(this->tree->at("missing"), {}), nullptr);
}

TYPED_TEST(DirectoryWalkTest, ListingGivesDirectNamesInOrderAndCanSkipHidden) {
    this->tree->file("b", "x");
    this->tree->file(".h", "x");
    this->tree->file("a/inner", "x");
    EXPECT_THAT(*this->tree->fs().contentsOfDirectory(this->tree->root(), {}), ElementsAre(".h", "a", "b"));
    EXPECT_THAT(*this->tree->fs().contentsOfDirectory(this->tree->root(), {.skipHiddenEntries = true}), ElementsAre("a", "b"));
    EXPECT_EQ(this->tree->fs().contentsOfDirectory(this->tree->at("b"), {}), std::nullopt);
    EXPECT_EQ(this->tree->fs().contentsOfDirectory(this->tree->at("missing"), {}), std::nullopt);
}

TYPED_TEST(DirectoryWalkTest, RemovingATreeRemovesLinksButNotWhatTheyPointTo) {
    this->tree->file("keep/precious", "x");
    this->tree->file("junk/a/b/c", "x");
    this->tree->link("junk/a/to-keep", this->tree->at("keep"));
    EXPECT_FALSE(this->tree->fs().removeItem(this->tree->at("junk")));
    EXPECT_FALSE(this->tree->fs().exists(this->tree->at("junk")));
    EXPECT_TRUE(this->tree->fs().exists(this->tree->at("keep/precious")));
    EXPECT_EQ(this->tree->fs().removeItem(this->tree->at("junk")), std::errc::no_such_file_or_directory);
}

TYPED_TEST(DirectoryWalkTest, RemovingContentsKeepsTheFolderAndCanSpareHiddenEntries) {
    this->tree->file("bin/.DS_Store", "x");
    this->tree->file("bin/one", "x");
    this->tree->file("bin/two/three", "x");
    auto removal = this->tree->fs().removeContents(this->tree->at("bin"), {.skipHiddenEntries = true});
    EXPECT_TRUE(removal.listed);
    EXPECT_EQ(removal.removed.size(), 2u);
    EXPECT_THAT(removal.failures, IsEmpty());
    EXPECT_THAT(*this->tree->fs().contentsOfDirectory(this->tree->at("bin"), {}), ElementsAre(".DS_Store"));
    EXPECT_FALSE(this->tree->fs().removeContents(this->tree->at("missing")).listed);
}

TYPED_TEST(DirectoryWalkTest, EmptyingALinkToAFolderRemovesNothingThroughIt) {
    this->tree->file("keep/precious", "x");
    this->tree->link("bin", this->tree->at("keep"));
    EXPECT_FALSE(this->tree->fs().removeContents(this->tree->at("bin")).listed);
    EXPECT_TRUE(this->tree->fs().exists(this->tree->at("keep/precious")));
}

TYPED_TEST(DirectoryWalkTest, TruncateMoveAndCopy) {
    this->tree->file("log.txt", "history");
    EXPECT_FALSE(this->tree->fs().truncateFile(this->tree->at("log.txt")));
    EXPECT_EQ(this->tree->fs().attributes(this->tree->at("log.txt"))->size, 0);
    EXPECT_TRUE(this->tree->fs().exists(this->tree->at("log.txt")));
    EXPECT_TRUE(this->tree->fs().truncateFile(this->tree->root()));

    this->tree->file("from/data", "payload");
    this->tree->folder("backup");
    EXPECT_FALSE(this->tree->fs().copyFile(this->tree->at("from/data"), this->tree->at("backup/data")));
    EXPECT_EQ(this->tree->fs().readFile(this->tree->at("backup/data")), "payload");
    EXPECT_EQ(this->tree->fs().copyFile(this->tree->at("from/data"), this->tree->at("backup/data")), std::errc::file_exists);

    EXPECT_FALSE(this->tree->fs().moveItem(this->tree->at("from"), this->tree->at("moved")));
    EXPECT_FALSE(this->tree->fs().exists(this->tree->at("from")));
    EXPECT_EQ(this->tree->fs().readFile(this->tree->at("moved/data")), "payload");
    EXPECT_EQ(this->tree->fs().moveItem(this->tree->at("moved"), this->tree->at("backup")), std::errc::file_exists);

    EXPECT_FALSE(this->tree->fs().createDirectories(this->tree->at("new/a/b")));
    EXPECT_TRUE(this->tree->fs().attributes(this->tree->at("new/a/b"))->isDirectory());
}

TYPED_TEST(DirectoryWalkTest, RealPathResolvesLinksAnywhereInThePath) {
    this->tree->file("real/sub/file", "x");
    this->tree->link("alias", "real");
    auto resolved = this->tree->fs().realPath(this->tree->at("alias/sub/file"));
    auto direct = this->tree->fs().realPath(this->tree->at("real/sub/file"));
    ASSERT_TRUE(resolved && direct);
    EXPECT_EQ(*resolved, *direct);
    EXPECT_EQ(this->tree->fs().realPath(this->tree->at("alias/none")), std::nullopt);
    EXPECT_TRUE(this->tree->fs().resolvedAttributes(this->tree->at("alias"))->isDirectory());
    EXPECT_EQ(this->tree->fs().attributes(this->tree->at("alias"))->type, FileType::symbolicLink);
}

}  // namespace
}  // namespace zentrel::platform
