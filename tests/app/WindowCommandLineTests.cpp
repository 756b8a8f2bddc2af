// The window program's command line without a display: help, version and
// wrong arguments are answered before any window is opened.

#include "CliRunner.hpp"

#include <gtest/gtest.h>

namespace zentrel::testing {
namespace {

TEST(WindowCommandLineTest, HelpVersionAndWrongArgumentsNeedNoDisplay) {
    struct Case {
        std::vector<std::string> args;
        std::string environment;
        int status;
        std::string printed;  // on standard output for status 0, else on standard error
    };
    const std::string noDisplay = "-u DISPLAY -u WAYLAND_DISPLAY";
    const std::vector<Case> cases{
        {{"--help"}, noDisplay, 0, "--intent NAME"},
        {{"-h"}, noDisplay, 0, "usage: zentrel "},
        {{"--version"}, noDisplay, 0, "zentrel 0."},
        {{"--help"}, noDisplay + " LANG=vi_VN.UTF-8", 0, "cách dùng: zentrel "},
        {{"--bogus"}, noDisplay, 2, "zentrel: unknown argument \"--bogus\"\nusage: zentrel "},
        {{"--intent"}, noDisplay, 2, "--intent needs a value"},
        {{"--layout", "windows"}, noDisplay, 2, "--layout is linux or macos"},
    };
    for (const auto& c : cases) {
        const auto outcome = runProgram(ZENTREL_WINDOW_PATH, c.args, {.languageEnvironment = c.environment});
        const auto label = ::testing::PrintToString(c.args) + " " + c.environment;
        EXPECT_EQ(outcome.status, c.status) << label << outcome.err;
        const auto& text = c.status == 0 ? outcome.out : outcome.err;
        EXPECT_NE(text.find(c.printed), std::string::npos) << label << ": " << text;
    }
}

}  // namespace
}  // namespace zentrel::testing
