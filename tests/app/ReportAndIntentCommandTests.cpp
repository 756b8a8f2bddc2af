// zentrel-cli report and intent over a generated fixture home.

#include "CliRunner.hpp"

#include "doubles/TempDir.hpp"
#include "platform/files/PosixFileSystem.hpp"
#include "platform/text/ByteCountFormatter.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace zentrel::testing {
namespace {

namespace fs = std::filesystem;

class ReportAndIntentTest : public ::testing::Test {
protected:
    ReportAndIntentTest() {
        dir.write("home/.Trash/old.zip", std::string(3000, 't'));
        dir.makeDirectory("sys");
    }
    CliOutcome cli(std::vector<std::string> args) {
        args.insert(args.end(),
                    {"--home", (dir / "home").string(), "--system-root", (dir / "sys").string(), "--layout", "macos"});
        return runCli(args);
    }
    TempDir dir;
};

TEST_F(ReportAndIntentTest, TheReportOfAFreshScanIsPrintedAndSaved) {
    const auto report = cli({"report", "--save", dir.path().string()});
    ASSERT_EQ(report.status, 0);
    EXPECT_EQ(report.out.rfind("Zentrel Scan Report\n======================\nDate: ", 0), 0u) << report.out;
    EXPECT_NE(report.out.find("\nItems Found:    1\n"), std::string::npos) << report.out;
    // The Trash counts what emptying it frees: the file, not the folder that stays.
    platform::PosixFileSystem fileSystem;
    const auto trashSize = platform::formatByteCount(
        std::min(fileSystem.attributes((dir / "home/.Trash/old.zip").string())->allocatedSize,
                 fileSystem.attributes((dir / "home/.Trash/old.zip").string())->size),
        platform::ByteCountStyle::file);
    EXPECT_NE(report.out.find("\nTrash & Old Files \u2014 " + trashSize + " (1 item, 1 selected)\n  [x] Trash \u2014 " +
                              trashSize + "\n      Path: " + (dir / "home/.Trash").string() + "\n"),
              std::string::npos)
        << report.out;
    std::ifstream saved(dir / "Zentrel-Report.txt");
    std::ostringstream text;
    text << saved.rdbuf();
    EXPECT_EQ(text.str() + "\n", report.out);
    EXPECT_TRUE(fs::exists(dir / "home/.Trash/old.zip")) << "a report deletes nothing";
}

TEST_F(ReportAndIntentTest, FreeUpSpaceCleansWhatTheLastScanRecommended) {
    EXPECT_EQ(runCli({"intent", "Free Up Space"}).status, 2) << "never without an explicit home";
    EXPECT_EQ(cli({"intent", "Free Up Space"}).out, "Nothing to clean\n") << "no scan is known yet";
    EXPECT_TRUE(fs::exists(dir / "home/.Trash/old.zip"));

    ASSERT_EQ(cli({"scan"}).status, 0);
    const auto freed = cli({"intent", "Free Up Space"});
    EXPECT_EQ(freed.status, 0);
    EXPECT_EQ(freed.out, "Freed 3 KB\n");
    EXPECT_FALSE(fs::exists(dir / "home/.Trash/old.zip"));
    EXPECT_TRUE(fs::exists(dir / "home/.Trash"));

    EXPECT_EQ(cli({"intent", "Scan Category", "--category", "privacy"}).out, "Opened Privacy\n");
    EXPECT_EQ(runCli({"intent", "Scan Category"}).status, 2);
    EXPECT_EQ(runCli({"intent", "Tidy Up"}).status, 2);
}

}  // namespace
}  // namespace zentrel::testing
