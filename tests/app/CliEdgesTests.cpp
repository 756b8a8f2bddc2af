// The edges of zentrel-cli's command line: options given twice, "--",
// `help COMMAND`, a missing HOME, where a report is saved, counted texts,
// progress lines, category names and the words of this desktop.

#include "CliRunner.hpp"

#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace zentrel::testing {
namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& file) {
    std::ifstream in(file);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Two homes with a file in the Trash each, and a scratch folder.
class CliEdgesTest : public ::testing::Test {
protected:
    CliEdgesTest() {
        for (const auto* home : {"a", "b"}) dir.write(std::string(home) + "/.local/share/Trash/files/old.zip", "old");
        dir.makeDirectory("sys");
        dir.makeDirectory("out");
    }
    [[nodiscard]] std::string at(const std::string& relative) const { return (dir / relative).string(); }
    void expectTrashKept() const {
        for (const auto* home : {"a", "b"})
            EXPECT_TRUE(fs::exists(dir / home / ".local/share/Trash/files/old.zip")) << home;
    }
    TempDir dir;
};

TEST_F(CliEdgesTest, AnOptionOfOneValueGivenTwiceIsAUsageErrorAndTouchesNothing) {
    const std::vector<std::vector<std::string>> table = {
        {"clean", "--home", at("a"), "--home", at("b"), "--select", "category:trash"},
        {"clean", "--home=" + at("a"), "--select", "category:trash", "--home=" + at("b")},
        {"scan", "--home", at("a"), "--category", "trash", "--category", "privacy"},
        {"report", "--home", at("a"), "--save", at("out"), "--save", at("sys")},
        {"status", "--home", at("a"), "--home", at("a")},
    };
    for (const auto& args : table) {
        const auto outcome = runCli(args);
        EXPECT_EQ(outcome.status, 2) << ::testing::PrintToString(args);
        EXPECT_EQ(outcome.out, "") << ::testing::PrintToString(args);
        EXPECT_NE(outcome.err.find("is given more than once"), std::string::npos) << outcome.err;
    }
    expectTrashKept();
    EXPECT_TRUE(fs::is_empty(dir / "out"));
    // --select may be given again (here naming one category by both its names).
    EXPECT_EQ(runCli({"clean", "--home", at("a"), "--system-root", at("sys"), "--select", "category:trash & downloads",
                      "--select", "category:Trash & Old Files"})
                  .status,
              0);
    EXPECT_FALSE(fs::exists(dir / "a/.local/share/Trash/files/old.zip"));
}

TEST_F(CliEdgesTest, DoubleDashEndsTheOptions) {
    const std::string copy(120000, 'c');
    dir.write("-pictures/one.bin", copy);
    dir.write("-pictures/two.bin", copy);
    const auto dupes = runCli({"dupes", "--home", at("a"), "--", at("-pictures")});
    EXPECT_EQ(dupes.status, 0) << dupes.err;
    EXPECT_NE(dupes.out.find(at("-pictures/two.bin")), std::string::npos) << dupes.out;
    const std::vector<std::vector<std::string>> table = {
        {"clean", "--home", at("a"), "--", "--select", "category:trash"},
        {"status", "--home", at("a"), "--", "--help"},
    };
    for (const auto& args : table) {
        const auto outcome = runCli(args);
        EXPECT_EQ(outcome.status, 2) << ::testing::PrintToString(args);
        EXPECT_EQ(outcome.out, "") << ::testing::PrintToString(args);
    }
    expectTrashKept();
}

TEST_F(CliEdgesTest, HelpOfACommandIsThatCommandsHelpAlone) {
    const auto help = runCli({"help", "scan"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out, runCli({"scan", "--help"}).out);
    EXPECT_EQ(help.out.rfind("usage: zentrel-cli scan ", 0), 0u) << help.out;
    EXPECT_EQ(help.out.find("dupes"), std::string::npos) << help.out;
    for (const auto& args : std::vector<std::vector<std::string>>{{"help", "nothing"}, {"help", "scan", "dupes"}}) {
        const auto outcome = runCli(args);
        EXPECT_EQ(outcome.status, 2) << ::testing::PrintToString(args);
        EXPECT_EQ(outcome.out, "");
    }
}

TEST_F(CliEdgesTest, AMissingHomeIsAnErrorNotAnEmptyScan) {
    for (const auto& environment : std::vector<std::string>{"-u HOME", "HOME=", "HOME=" + at("gone")}) {
        for (const auto& command : std::vector<std::string>{"scan", "status", "report", "top", "dupes"}) {
            const auto outcome = runCli({command}, {.environment = environment});
            EXPECT_EQ(outcome.status, 2) << environment << " " << command;
            EXPECT_EQ(outcome.out, "") << environment << " " << command;
            EXPECT_NE(outcome.err.find("HOME"), std::string::npos) << outcome.err;
        }
    }
    EXPECT_FALSE(fs::exists(dir / "gone"));
}

TEST_F(CliEdgesTest, AReportIsSavedOnlyInAFolderThatIsThereAndReplacedOnlyWithForce) {
    const std::vector<std::string> report = {"report", "--home", at("a"), "--system-root", at("sys")};
    const auto with = [&](std::vector<std::string> extra) {
        auto args = report;
        args.insert(args.end(), extra.begin(), extra.end());
        return runCli(args);
    };
    const auto missing = with({"--save", at("out/new/deeper")});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.out, "");
    EXPECT_FALSE(fs::exists(dir / "out/new"));

    dir.write("out/Zentrel-Report.txt", "kept");
    const auto refused = with({"--save", at("out")});
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("--force"), std::string::npos) << refused.err;
    EXPECT_EQ(contents(dir / "out/Zentrel-Report.txt"), "kept");

    const auto forced = with({"--save", at("out"), "--force"});
    EXPECT_EQ(forced.status, 0) << forced.err;
    EXPECT_EQ(contents(dir / "out/Zentrel-Report.txt") + "\n", forced.out);
}

TEST_F(CliEdgesTest, OneGroupIsOneGroup) {
    const std::string copy(120000, 'g');
    dir.write("pair/one.bin", copy);
    dir.write("pair/two.bin", copy);
    const auto dupes = runCli({"dupes", "--home", at("a"), at("pair")});
    EXPECT_NE(dupes.out.find("\n1 group, "), std::string::npos) << dupes.out;
}

TEST_F(CliEdgesTest, ProgressGoesToStandardErrorOnlyWhenItIsATerminal) {
    const std::vector<std::string> scan = {"scan", "--home", at("a"), "--system-root", at("sys")};
    const auto watched = runCli(scan, {.terminal = CliRun::Terminal::error});
    EXPECT_EQ(watched.status, 0);
    EXPECT_NE(watched.err.find("% "), std::string::npos) << watched.err;
    const auto piped = runCli(scan);
    EXPECT_EQ(piped.status, 0);
    EXPECT_EQ(piped.err, "");
}

TEST_F(CliEdgesTest, CategoriesGoByTheNamesTheWindowAndTheReportShow) {
    const std::string vietnamese = "LANGUAGE=vi LC_ALL=vi_VN.UTF-8";
    const std::string english = "LANGUAGE=en LC_ALL=C.UTF-8";
    struct Case {
        std::string environment;
        std::string name;
        int status;
    };
    const std::vector<Case> table = {
        {english, "trash & downloads", 0},  // the stored name
        {english, "Trash & Old Files", 0},  // the friendly name
        {english, "app junk", 0},
        {english, "Build Caches", 0},       // this desktop's title
        {english, "Tệp trùng lặp", 2},
        {vietnamese, "Tệp trùng lặp", 0},
        {vietnamese, "Rác ứng dụng", 0},
        {vietnamese, "Duplicates", 0},
        {english, "Junk", 2},
    };
    for (const auto& [environment, name, status] : table) {
        const auto outcome = runCli({"scan", "--home", at("a"), "--system-root", at("sys"), "--category", name},
                                    {.languageEnvironment = environment});
        EXPECT_EQ(outcome.status, status) << environment << " " << name << "\n" << outcome.err;
    }
    for (const auto& environment : {english, vietnamese}) {
        const auto help = runCli({"help"}, {.languageEnvironment = environment});
        for (const auto* word : {"Xcode", "iCloud", "iOS"}) EXPECT_EQ(help.out.find(word), std::string::npos) << word;
    }
}

TEST_F(CliEdgesTest, ResolveAndJsonSpeakOfThisDesktop) {
    dir.write("a/.local/share/recently-used.xbel", "<xbel/>");
    dir.write("a/.cache/thumbnails/normal/one.png", std::string(2000, 'p'));
    const auto json = runCli({"scan", "--home", at("a"), "--system-root", at("sys"), "--layout", "linux", "--category",
                              "privacy", "--json"},
                             {.languageEnvironment = "LANGUAGE=en LC_ALL=C.UTF-8"});
    EXPECT_EQ(json.status, 0) << json.err;
    EXPECT_NE(json.out.find("\"Recent Files\""), std::string::npos) << json.out;
    const auto resolve = runCli({"resolve", "--home", at("a"), "--secure"}, {.languageEnvironment = "LANGUAGE=en LC_ALL=C.UTF-8"});
    EXPECT_EQ(resolve.status, 0) << resolve.err;
    for (const auto& out : {json.out, resolve.out})
        for (const auto* word : {"Finder", "Quick Look", "Secure Input", "Spotlight"})
            EXPECT_EQ(out.find(word), std::string::npos) << word << "\n" << out;
}

}  // namespace
}  // namespace zentrel::testing
