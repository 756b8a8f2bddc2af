#include "platform/places/ProgramFolders.hpp"

#include <gtest/gtest.h>

namespace zentrel::platform {
namespace {

using Paths = std::vector<std::filesystem::path>;

TEST(ProgramFoldersTest, HelpersLieBesideTheProgramThenInTheInstallTreeRelativeToIt) {
    struct Case {
        std::filesystem::path program;
        Paths helpers;
        Paths modules;
    };
    const Case cases[] = {
        {"/usr/bin", {"/usr/bin", "/usr/lib/zentrel"}, {"/usr/bin/modules", "/usr/lib/zentrel/modules"}},
        // An unpacked package, wherever its tree lies.
        {"/tmp/root/usr/bin", {"/tmp/root/usr/bin", "/tmp/root/usr/lib/zentrel"},
         {"/tmp/root/usr/bin/modules", "/tmp/root/usr/lib/zentrel/modules"}},
        // A helper that runs another finds it beside itself first.
        {"/usr/lib/zentrel", {"/usr/lib/zentrel", "/usr/lib/lib/zentrel"},
         {"/usr/lib/zentrel/modules", "/usr/lib/lib/zentrel/modules"}},
        {"", {}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(helperFolders(c.program), c.helpers) << c.program;
        EXPECT_EQ(moduleFolders(c.program), c.modules) << c.program;
    }
}

TEST(ProgramFoldersTest, TheRunningProgramsFolderHoldsThisTest) {
    const auto folder = runningProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(std::filesystem::exists(folder / "platform_tests"));
}

}  // namespace
}  // namespace zentrel::platform
