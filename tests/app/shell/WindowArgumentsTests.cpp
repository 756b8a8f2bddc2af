#include "app/shell/WindowArguments.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zentrel::app {
namespace {

using Action = WindowArguments::Action;

TEST(WindowArguments, HelpVersionAndRequestsAreReadAndWrongOnesRefused) {
    struct Case {
        std::vector<std::string> arguments;
        std::optional<Action> action;  // none: refused with `problem`
        std::string problem;
    };
    const std::vector<Case> cases{
        {{}, Action::run, ""},
        {{"--help"}, Action::help, ""},
        {{"-h"}, Action::help, ""},
        {{"--layout", "linux", "--version"}, Action::version, ""},
        {{"-platform", "offscreen", "--intent", "Smart Cleanup"}, Action::run, ""},
        {{"--bogus"}, std::nullopt, "unknown argument \"--bogus\""},
        {{"--help=yes"}, std::nullopt, "unknown argument \"--help=yes\""},
        {{"--intent"}, std::nullopt, "--intent needs a value"},
        {{"--intent", ""}, std::nullopt, "empty value for --intent"},
        {{"--intent", "Smart Cleanup", "--intent", "Free Up Space"}, std::nullopt, "--intent is given twice"},
        {{"--layout", "windows"}, std::nullopt, "--layout is linux or macos"},
        {{"--category", "Trash"}, std::nullopt, "--category goes with --intent \"Scan Category\""},
    };
    for (const auto& c : cases) {
        const auto parsed = parseWindowArguments(c.arguments);
        const auto label = ::testing::PrintToString(c.arguments);
        if (c.action) {
            ASSERT_TRUE(std::holds_alternative<WindowArguments>(parsed)) << label;
            EXPECT_EQ(std::get<WindowArguments>(parsed).action, *c.action) << label;
        } else {
            ASSERT_TRUE(std::holds_alternative<WindowArgumentsProblem>(parsed)) << label;
            EXPECT_EQ(std::get<WindowArgumentsProblem>(parsed).text, c.problem) << label;
        }
    }
    const auto request = std::get<WindowArguments>(parseWindowArguments(std::vector<std::string>{
        "--intent", "Scan Category", "--category", "trash", "--layout", "macos"}));
    EXPECT_EQ(request.request.intent, "Scan Category");
    EXPECT_EQ(request.request.category, "trash");
    EXPECT_EQ(request.layout, platform::HostPlatform::macos);
}

TEST(WindowArguments, TheHelpExplainsEveryOption) {
    const auto help = windowUsage(true);
    for (const char* option : {"--layout", "--intent", "--category", "--help", "--version"})
        EXPECT_NE(help.find(option), std::string::npos) << option;
    EXPECT_EQ(windowUsage(false).find("\n\n"), std::string::npos) << "the usage alone is two lines";
}

}  // namespace
}  // namespace zentrel::app
