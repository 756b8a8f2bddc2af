// zentrel-cli cookies over a fixture home.

#include "CliRunner.hpp"

#include "doubles/CookieStoreFixtures.hpp"
#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace zentrel::testing {
namespace {

TEST(CookiesCommandTest, ListsStoresWithTrackersAndChangesNothing) {
    TempDir home;
    const auto store = home / "Library/Application Support/Google/Chrome/Default/Cookies";
    std::filesystem::create_directories(store.parent_path());
    writeChromiumCookieDatabase(store, {".doubleclick.net", "example.com", "doubleclick.net", ".doubleclick.net"});
    const auto sizeBefore = std::filesystem::file_size(store);

    auto listed = runCli({"cookies", "--home", home.path().string(), "--layout", "macos", "--hosts"});
    EXPECT_EQ(listed.status, 0);
    EXPECT_NE(listed.out.find("chrome\tDefault\t3 tracker cookies from 1 host"), std::string::npos) << listed.out;
    EXPECT_NE(listed.out.find("\t.doubleclick.net\n"), std::string::npos);
    EXPECT_EQ(listed.out.find("example.com"), std::string::npos);
    EXPECT_EQ(std::filesystem::file_size(store), sizeBefore);

    TempDir empty;
    EXPECT_NE(runCli({"cookies", "--home", empty.path().string()}).out.find("No tracker cookies found."),
              std::string::npos);
}

}  // namespace
}  // namespace zentrel::testing
