// zentrel-cli resolve over an empty fixture home.

#include "CliRunner.hpp"

#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

namespace zentrel::testing {
namespace {

TEST(ResolveCommandTest, PrintsTheRuleThatAppliesToADescribedContext) {
    TempDir home;
    auto addressBar = runCli({"resolve", "--home", home.path().string(), "--bundle", "com.apple.Safari",
                              "--ax-identifier", "urlbar"});
    EXPECT_EQ(addressBar.status, 0);
    EXPECT_NE(addressBar.out.find("browser-address-bar"), std::string::npos) << addressBar.out;
    auto secure = runCli({"resolve", "--home", home.path().string(), "--bundle", "com.apple.Safari", "--secure"});
    EXPECT_NE(secure.out.find("secure-input"), std::string::npos) << secure.out;
    auto unknown = runCli({"resolve", "--home", home.path().string(), "--bundle", "org.example.none"});
    EXPECT_NE(unknown.out.find("default"), std::string::npos) << unknown.out;
}

}  // namespace
}  // namespace zentrel::testing
