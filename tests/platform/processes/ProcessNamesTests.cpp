#include "platform/processes/ProcessNames.hpp"

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

TEST(ProcessNamesTest, AScriptNamesTheProgramItsInterpreterRuns) {
    // As the script's toolkit names it to the input method ("gtk3client.py").
    testing::TempDir proc;
    using namespace std::string_literals;
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"/usr/bin/python3\0/home/u/gtk3client.py\0"s, "gtk3client.py"},
        {"python3.11\0-u\0tool.py\0--flag\0"s, "tool.py"},
        {"/usr/bin/python3\0-m\0http.server\0"s, "http.server"},
        {"/usr/bin/python3\0-c\0print(1)\0"s, "python3"},
        {"/bin/bash\0/usr/local/bin/backup.sh\0"s, "backup.sh"},
        {"/usr/bin/shotwell\0photo.jpg\0"s, "shotwell"},
        {"/usr/bin/python3\0"s, "python3"},
    };
    int pid = 20;
    for (const auto& [cmdline, name] : cases) {
        proc.write(std::to_string(pid) + "/cmdline", cmdline);
        EXPECT_EQ(programNameOfProcess(pid, proc.path()), name) << cmdline;
        ++pid;
    }
}

}  // namespace
}  // namespace zentrel::platform
