// zentrel-cli dupes over a generated tree, against a full-content check of
// the test's own.

#include "CliRunner.hpp"

#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace zentrel::testing {
namespace {

using PathSets = std::set<std::set<std::string>>;

// Every set of at least two files of at least `minBytes` with equal contents.
PathSets groupsByContent(const std::filesystem::path& root, std::uintmax_t minBytes) {
    std::map<std::string, std::set<std::string>> byContent;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file() || entry.file_size() < minBytes) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream contents;
        contents << in.rdbuf();
        byContent[contents.str()].insert(entry.path().string());
    }
    PathSets groups;
    for (const auto& [contents, paths] : byContent)
        if (paths.size() >= 2) groups.insert(paths);
    return groups;
}

PathSets groupsPrinted(const std::string& out) {
    PathSets groups;
    std::set<std::string> current;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("  keep  ", 0) == 0 || line.rfind("  extra ", 0) == 0) {
            current.insert(line.substr(8));
        } else if (!current.empty()) {
            groups.insert(current);
            current.clear();
        }
    }
    return groups;
}

TEST(DupesCommandTest, GroupsEqualAFullContentCheckAndNothingIsRemoved) {
    TempDir dir;
    const auto root = dir / "tree";
    // Sizes in the whole and the sampled digest bands, at most 8 files of a
    // size, so that every file of a size is hashed.
    for (int i = 0; i < 40; ++i) {
        const std::size_t sizes[] = {100000, 1'500'000};
        const std::size_t size = sizes[i % 2] + static_cast<std::size_t>(i % 5);
        std::string content(size, static_cast<char>('a' + (i / 10) % 2));
        if (i % 4 == 0) content[size / 2] = static_cast<char>('0' + i % 8);  // differs only in the middle
        dir.write("tree/d" + std::to_string(i % 4) + "/f" + std::to_string(i) + ".bin", content);
    }
    dir.write("tree/small-a.bin", "same");
    dir.write("tree/small-b.bin", "same");

    auto listed = runCli({"dupes", root.string()});
    EXPECT_EQ(listed.status, 0);
    const auto expected = groupsByContent(root, 100000);
    EXPECT_FALSE(expected.empty());
    EXPECT_EQ(groupsPrinted(listed.out), expected) << listed.out;
    EXPECT_TRUE(std::filesystem::exists(root / "small-b.bin"));
}

TEST(DupesCommandTest, AMissingFolderOrAFileIsNamedNotCountedAsEmpty) {
    TempDir dir;
    const auto file = dir.write("notes.txt", "text");
    for (const auto& path : {(dir / "missing").string(), file.string()}) {
        auto listed = runCli({"dupes", path});
        EXPECT_EQ(listed.status, 1) << path;
        EXPECT_EQ(listed.out.find("groups"), std::string::npos) << listed.out;
    }
}

}  // namespace
}  // namespace zentrel::testing
