#include "doubles/TempDir.hpp"
#include "doubles/WarningCapture.hpp"
#include "platform/files/AtomicFile.hpp"
#include "platform/settings/JsonFileDefaultsStore.hpp"

#include <gtest/gtest.h>

namespace zentrel::platform {
namespace {

TEST(JsonFileDefaultsStoreTest, EveryValueKindSurvivesAReopen) {
    testing::TempDir dir;
    auto file = dir / "suite.json";
    {
        JsonFileDefaultsStore store(file);
        store.setBool("flag", true);
        store.setInteger("count", -9'000'000'000LL);
        store.setReal("ratio", 0.25);
        store.setReal("whole", 3.0);
        store.setString("name", "Zentrel ✓");
        store.setData("blob", Bytes{0, 1, 2, 255});
    }
    JsonFileDefaultsStore reopened(file);
    EXPECT_EQ(reopened.value("flag"), DefaultsValue(true));
    EXPECT_EQ(reopened.value("count"), DefaultsValue(std::int64_t{-9'000'000'000LL}));
    EXPECT_EQ(reopened.value("ratio"), DefaultsValue(0.25));
    EXPECT_EQ(reopened.value("whole"), DefaultsValue(3.0));
    EXPECT_EQ(reopened.string("name"), "Zentrel ✓");
    EXPECT_EQ(reopened.data("blob"), (Bytes{0, 1, 2, 255}));
    EXPECT_FALSE(reopened.loadedCorruptFile());
}

TEST(JsonFileDefaultsStoreTest, RemoveDeletesTheKeyFromTheFile) {
    testing::TempDir dir;
    auto file = dir / "suite.json";
    {
        JsonFileDefaultsStore store(file);
        store.setString("gone", "x");
        store.setString("kept", "y");
        store.remove("gone");
    }
    JsonFileDefaultsStore reopened(file);
    EXPECT_FALSE(reopened.contains("gone"));
    EXPECT_EQ(reopened.string("kept"), "y");
}

TEST(JsonFileDefaultsStoreTest, DamagedFileReadsEmptyAndIsMovedAsideBeforeTheFirstWrite) {
    const std::string deep = std::string(100'000, '[') + std::string(100'000, ']');
    for (const std::string& damaged : {std::string("{ not json"), R"({"kept": 1, "deep": )" + deep + "}"}) {
        testing::TempDir dir;
        auto file = dir.write("suite.json", damaged);
        testing::WarningCapture warnings;

        JsonFileDefaultsStore store(file);
        EXPECT_TRUE(store.loadedCorruptFile());
        EXPECT_TRUE(store.keys().empty());
        ASSERT_EQ(warnings.lines().size(), 1u);
        EXPECT_EQ(warnings.lines()[0].rfind("[Zentrel] ", 0), 0u);
        // Reading alone never touches the file.
        EXPECT_EQ(readWholeFile(file), damaged);

        store.setBool("fresh", true);
        auto aside = file;
        aside += ".corrupt";
        EXPECT_EQ(readWholeFile(aside), damaged);
        EXPECT_TRUE(JsonFileDefaultsStore(file).boolean("fresh"));
    }
}

TEST(JsonFileDefaultsStoreTest, ALinkedFileIsWrittenThroughTheLink) {
    testing::TempDir dir;
    auto target = dir.write("dotfiles/suite.json", R"({"name": "a"})");
    auto link = dir / "config/suite.json";
    std::filesystem::create_directories(link.parent_path());
    std::filesystem::create_symlink("../dotfiles/suite.json", link);

    JsonFileDefaultsStore(link).setString("name", "b");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(JsonFileDefaultsStore(target).string("name"), "b");
}

TEST(JsonFileDefaultsStoreTest, EntriesOfUnknownFormAreKeptAcrossWrites) {
    testing::TempDir dir;
    auto file = dir.write("suite.json", R"({"list": [1, 2, 3], "name": "a"})");
    {
        JsonFileDefaultsStore store(file);
        EXPECT_FALSE(store.contains("list"));
        store.setString("name", "b");
    }
    auto text = readWholeFile(file);
    ASSERT_TRUE(text);
    EXPECT_NE(text->find("\"list\""), std::string::npos);
    EXPECT_EQ(JsonFileDefaultsStore(file).string("name"), "b");
}

TEST(JsonFileDefaultsStoreTest, MissingFileIsEmptyAndCreatedWithItsFolders) {
    testing::TempDir dir;
    auto file = dir / "deep/er/suite.json";
    JsonFileDefaultsStore store(file);
    EXPECT_FALSE(store.loadedCorruptFile());
    store.setInteger("n", 1);
    EXPECT_TRUE(std::filesystem::exists(file));
}

TEST(DefaultsStoreConversionTest, TypedReadersConvertLikeThePlatform) {
    testing::TempDir dir;
    JsonFileDefaultsStore store(dir / "suite.json");
    store.setString("yes", "YES");
    store.setString("number", "12.7");
    store.setString("junk", "abc");
    store.setInteger("one", 1);
    store.setReal("half", 2.5);
    store.setData("blob", Bytes{1});

    EXPECT_TRUE(store.boolean("yes"));
    EXPECT_TRUE(store.boolean("one"));
    EXPECT_FALSE(store.boolean("junk"));
    EXPECT_FALSE(store.boolean("missing"));
    EXPECT_EQ(store.integer("number"), 12);
    EXPECT_EQ(store.integer("half"), 2);
    EXPECT_EQ(store.integer("junk"), 0);
    EXPECT_DOUBLE_EQ(store.real("one"), 1.0);
    EXPECT_EQ(store.string("one"), "1");
    EXPECT_EQ(store.string("blob"), std::nullopt);
    EXPECT_EQ(store.data("yes"), std::nullopt);
}

}  // namespace
}  // namespace zentrel::platform
