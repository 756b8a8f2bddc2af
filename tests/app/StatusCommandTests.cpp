// zentrel-cli status over a fixture home: it reports and writes nothing.

#include "CliRunner.hpp"

#include "platform/places/HostLayout.hpp"

#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace zentrel::testing {
namespace {

std::size_t entriesBelow(const std::filesystem::path& root) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::recursive_directory_iterator(root)) ++count;
    return count;
}

TEST(StatusCommandTest, ReportsStoredValuesWithoutWritingAnything) {
    TempDir home;
    const auto layout = platform::HostLayout::forHome(home.path());
    auto standard = layout.defaultsFile(platform::kStandardSuite);
    auto suite = layout.defaultsFile(platform::kAppGroupSuite);
    std::filesystem::create_directories(standard.parent_path());
    {
        auto empty = runCli({"status", "--home", home.path().string()});
        EXPECT_EQ(empty.status, 0);
        EXPECT_NE(empty.out.find("Never scanned"), std::string::npos) << empty.out;
        EXPECT_NE(empty.out.find("(nothing stored yet)"), std::string::npos);
    }
    home.write(std::filesystem::relative(standard, home.path()),
               R"({"viewMode":"advanced","vietIMEMethod":"VNI","lastScanFoundBytes":2000})");
    home.write(std::filesystem::relative(suite, home.path()), R"({"eco.lastScanItemCount":4})");
    const auto before = entriesBelow(home.path());

    auto report = runCli({"status", "--home", home.path().string()});
    EXPECT_EQ(report.status, 0);
    EXPECT_NE(report.out.find("results view: Advanced"), std::string::npos) << report.out;
    EXPECT_NE(report.out.find("typing: VNI, automatic, rules"), std::string::npos) << "a mode never chosen";
    EXPECT_NE(report.out.find("eco.lastScanItemCount = 4"), std::string::npos);
    EXPECT_EQ(entriesBelow(home.path()), before);
    EXPECT_EQ(std::filesystem::file_size(suite), std::string(R"({"eco.lastScanItemCount":4})").size());
}

}  // namespace
}  // namespace zentrel::testing
