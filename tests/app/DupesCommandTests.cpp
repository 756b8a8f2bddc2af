// zentrel-cli dupes over a fixture home.

#include "CliRunner.hpp"

#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace zentrel::testing {
namespace {

TEST(DupesCommandTest, ListsGroupsWithTheKeptCopyAndRemovesNothing) {
    TempDir home;
    const std::string content(150000, 'd');
    auto kept = home.write("Documents/a.bin", content);
    auto extra = home.write("Downloads/a.bin", content);
    auto listed = runCli({"dupes", "--home", home.path().string()});
    EXPECT_EQ(listed.status, 0);
    EXPECT_NE(listed.out.find("  keep  " + kept.string() + "\n"), std::string::npos) << listed.out;
    EXPECT_NE(listed.out.find("  extra " + extra.string() + "\n"), std::string::npos);
    EXPECT_NE(listed.out.find("1 groups"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(extra));
}

}  // namespace
}  // namespace zentrel::testing
