#include "platform/ProcessNames.hpp"

#include "doubles/TempDir.hpp"

#include <gtest/gtest.h>

namespace zentrel::platform {
namespace {

TEST(ProcessNamesTest, TheFileNameOfTheFirstArgumentNamesTheProgram) {
    testing::TempDir proc;
    using namespace std::string_literals;
    proc.write("10/cmdline", "/usr/bin/gedit\0--new-window\0"s);
    proc.write("11/cmdline", "kitty\0"s);
    proc.write("12/cmdline", ""s);  // a kernel thread
    EXPECT_EQ(programNameOfProcess(10, proc.path()), "gedit");
    EXPECT_EQ(programNameOfProcess(11, proc.path()), "kitty");
    EXPECT_EQ(programNameOfProcess(12, proc.path()), std::nullopt);
    EXPECT_EQ(programNameOfProcess(13, proc.path()), std::nullopt) << "an ended process";
    EXPECT_EQ(programNameOfProcess(0, proc.path()), std::nullopt);
}

}  // namespace
}  // namespace zentrel::platform
