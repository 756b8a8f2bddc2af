// What zentrel-cli says, and the status it ends with, when a home is not
// there, a place cannot be read or the output cannot be written; and the
// argument forms GNU tools accept.

#include "CliRunner.hpp"

#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>

namespace zentrel::testing {
namespace {

namespace fs = std::filesystem;

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++count;
    return count;
}

// The lines said more than once.
std::set<std::string> repeatedLines(const std::string& text) {
    std::set<std::string> seen, repeated;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        if (!seen.insert(line).second) repeated.insert(line);
    return repeated;
}

// Takes away every permission of a folder for one test.
class Locked {
public:
    explicit Locked(fs::path folder) : folder_(std::move(folder)) { fs::permissions(folder_, fs::perms::none); }
    ~Locked() { fs::permissions(folder_, fs::perms::owner_all); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

private:
    fs::path folder_;
};

TEST(CliExitStatusTest, AHomeThatIsNoFolderIsAUsageErrorAndNothingIsMade) {
    TempDir dir;
    dir.write("file", "not a folder");
    const auto missing = (dir / "mistyped").string();
    const auto file = (dir / "file").string();
    const std::vector<std::vector<std::string>> table = {
        {"scan", "--home", missing},
        {"scan", "--home=" + missing, "--json"},
        {"status", "--home", missing},
        {"report", "--home", missing},
        {"top", "--home", missing},
        {"check-updates", "--feed", file, "--home", missing},
        {"scan", "--home", file},
    };
    for (const auto& args : table) {
        const auto outcome = runCli(args);
        EXPECT_EQ(outcome.status, 2) << ::testing::PrintToString(args);
        EXPECT_EQ(outcome.out, "") << ::testing::PrintToString(args);
        EXPECT_NE(outcome.err.find("no folder at "), std::string::npos) << outcome.err;
        EXPECT_FALSE(fs::exists(missing)) << ::testing::PrintToString(args);
    }
}

TEST(CliExitStatusTest, EachPlaceThatCannotBeReadIsNamedOnceAndFailsTheScan) {
    TempDir dir;
    dir.write("home/.cache/pip/wheel.whl", std::string(4000, 'w'));
    dir.write("home/.local/share/Trash/files/old.zip", std::string(3000, 't'));
    dir.write("home/Code/app/package.json", "{}");
    dir.makeDirectory("sys");
    const auto home = (dir / "home").string();
    const std::vector<std::string> scan = {"scan", "--home", home, "--system-root", (dir / "sys").string(),
                                           "--layout", "linux"};
    {
        const Locked cache(dir / "home/.cache");
        const Locked trash(dir / "home/.local/share/Trash");
        const auto outcome = runCli(scan, {.permissionsBite = true});
        EXPECT_EQ(outcome.status, 1) << outcome.err;
        EXPECT_EQ(occurrences(outcome.err, "cannot read " + home + "/.cache:"), 1u) << outcome.err;
        EXPECT_EQ(occurrences(outcome.err, "cannot read " + home + "/.local/share/Trash:"), 1u) << outcome.err;
        EXPECT_EQ(occurrences(outcome.err, "cannot read "), 2u) << outcome.err;
        EXPECT_NE(outcome.out.find("Total: "), std::string::npos) << outcome.out;
    }
    {
        const Locked all(dir / "home");
        const auto outcome = runCli(scan, {.permissionsBite = true});
        EXPECT_EQ(outcome.status, 1) << outcome.err;
        EXPECT_EQ(occurrences(outcome.err, "cannot read "), 1u) << outcome.err;
        EXPECT_EQ(occurrences(outcome.err, "cannot read " + home + ":"), 1u) << outcome.err;
        EXPECT_EQ(repeatedLines(outcome.err), std::set<std::string>{}) << outcome.err;
        EXPECT_NE(outcome.out.find("Total: "), std::string::npos) << outcome.out;
    }
}

TEST(CliExitStatusTest, OutputThatCannotBeWrittenEndsWithAMessageAndStatusOne) {
    TempDir dir;
    dir.makeDirectory("home");
    dir.makeDirectory("sys");
    const auto home = (dir / "home").string();
    const std::vector<std::vector<std::string>> table = {
        {"help"},
        {"--version"},
        {"scan", "--help"},
        {"status", "--home", home},
        {"scan", "--home", home, "--system-root", (dir / "sys").string(), "--category", "Trash & Downloads"},
    };
    for (const auto& args : table) {
        const auto outcome = runCli(args, {.outputFile = "/dev/full"});
        EXPECT_EQ(outcome.status, 1) << ::testing::PrintToString(args);
        EXPECT_NE(outcome.err.find("cannot write the output"), std::string::npos) << outcome.err;
    }
}

TEST(CliExitStatusTest, ArgumentsAreReadAsGnuToolsReadThem) {
    TempDir dir;
    dir.write("home/Code/app/package.json", "{}");
    dir.write("home/Code/app/node_modules/dep/index.js", std::string(31'000'000, 'm'));
    dir.makeDirectory("sys");
    const auto home = (dir / "home").string();
    const auto sys = (dir / "sys").string();
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string printed;  // on standard output, or on standard error for a failure
    };
    const std::vector<Case> table = {
        {{"--version"}, 0, "zentrel-cli 0."},
        {{"-h"}, 0, "commands:"},
        {{"help"}, 0, "Dev Projects, App Caches"},
        {{"scan", "--help"}, 0, "usage: zentrel-cli scan "},
        {{"status", "--home", home, "-h"}, 0, "usage: zentrel-cli status "},
        {{"scan", "--home=" + home, "--system-root=" + sys, "--category=dev projects"}, 0, " in 1 item\n"},
        {{"scan", "--home", home, "--system-root", sys, "--category", "DEV PROJECTS", "--json"}, 0, "node_modules"},
        {{"scan", "--home", home, "--category", "Dev Project"}, 2, "Dev Tools, Dev Projects"},
        {{"scan", "--home", home, "--json=yes"}, 2, "--json takes no value"},
        {{"top", "--limit", "-3"}, 2, "--limit needs a number"},
        {{"top", "--limit=x"}, 2, "--limit needs a number"},
    };
    for (const auto& [args, status, printed] : table) {
        const auto outcome = runCli(args);
        EXPECT_EQ(outcome.status, status) << ::testing::PrintToString(args) << outcome.err;
        const auto& text = status == 0 ? outcome.out : outcome.err;
        EXPECT_NE(text.find(printed), std::string::npos) << ::testing::PrintToString(args) << text;
    }
}

TEST(CliExitStatusTest, TheWindowProgramTellsItsVersionWithoutAWindow) {
    const auto outcome = runProgram(ZENTREL_WINDOW_PATH, {"--version"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out.rfind("zentrel 0.", 0), 0u) << outcome.out;
}

}  // namespace
}  // namespace zentrel::testing
