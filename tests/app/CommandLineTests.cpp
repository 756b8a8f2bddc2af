// What every zentrel-cli command does with arguments it cannot use: a usage
// error (status 2) before it reads or changes anything.

#include "CliRunner.hpp"

#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

#include <sstream>

namespace zentrel::testing {
namespace {

// The command names and usage lines that `help` lists.
std::vector<std::pair<std::string, std::string>> listedCommands() {
    std::vector<std::pair<std::string, std::string>> commands;
    std::istringstream help(runCli({"help"}).out);
    for (std::string line; std::getline(help, line);) {
        if (line.rfind("  ", 0) != 0 || line.rfind("      ", 0) == 0) continue;
        const auto usage = line.substr(2);
        commands.emplace_back(usage.substr(0, usage.find(' ')), usage);
    }
    return commands;
}

TEST(CommandLineTest, EveryCommandRefusesAnOptionItDoesNotKnow) {
    TempDir home;
    const auto commands = listedCommands();
    ASSERT_GE(commands.size(), 14u);
    for (const auto& [name, usage] : commands) {
        // The fixture home keeps a command that ignored the option away from the real one.
        std::vector<std::string> args{name};
        if (usage.find("--home") != std::string::npos) args.insert(args.end(), {"--home", home.path().string()});
        args.insert(args.end(), {"--colour", "blue"});
        const auto outcome = runCli(args);
        EXPECT_EQ(outcome.status, 2) << name;
        EXPECT_EQ(outcome.out, "") << name;
    }
}

TEST(CommandLineTest, EmptyPathsMissingValuesAndStrayOperandsAreUsageErrors) {
    TempDir home;
    const auto dir = home.path().string();
    const std::vector<std::vector<std::string>> table = {
        {"scan", "--home", ""},
        {"status", "--home", ""},
        {"scan", "--home", dir, "--system-root", ""},
        {"clean", "--home", dir, "--select", ""},
        {"check-updates", "--home", dir, "--feed", ""},
        {"report", "--home", dir, "--save", ""},
        {"dupes", "--home", dir, ""},
        {"scan", "--home", dir, "--category"},
        {"status", "--home", dir, "extra"},
    };
    for (const auto& args : table) {
        const auto outcome = runCli(args);
        EXPECT_EQ(outcome.status, 2) << ::testing::PrintToString(args);
        EXPECT_EQ(outcome.out, "") << ::testing::PrintToString(args);
    }
}

}  // namespace
}  // namespace zentrel::testing
