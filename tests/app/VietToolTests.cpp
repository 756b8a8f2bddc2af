// zentrel-viet types its arguments through the engine as a client would.

#include "CliRunner.hpp"

#include <gtest/gtest.h>

namespace zentrel::testing {
namespace {

CliOutcome viet(const std::vector<std::string>& args) { return runProgram(ZENTREL_VIET_PATH, args); }

TEST(VietToolTest, TypesEachMethodWithItsOptions) {
    EXPECT_EQ(viet({"--method", "telex", "vieetj", "nam", "hello"}).out, "việt nam hello\n");
    EXPECT_EQ(viet({"--method", "vni", "tie6ng1"}).out, "tiếng\n");
    EXPECT_EQ(viet({"--method", "viqr", "vie^.t."}).out, "việt.\n");
    EXPECT_EQ(viet({"hoaf"}).out, "hòa\n");
    EXPECT_EQ(viet({"--option", "toneRule=modern", "hoaf"}).out, "hoà\n");
    EXPECT_EQ(viet({"--option", "repeatKeyEscape=false", "--option", "skipTransformForEnglish=false", "aaa"}).out,
              "a\n");

    EXPECT_EQ(viet({"--method", "dvorak", "a"}).status, 2);
    EXPECT_EQ(viet({"--option", "toneRule=Modern", "a"}).status, 2);
    EXPECT_EQ(viet({"--option", "noSuchSwitch=true", "a"}).status, 2);
}

}  // namespace
}  // namespace zentrel::testing
