#pragma once
// Runs a program the build made (zentrel-cli unless named) and collects what
// it printed.

#include <string>
#include <vector>

namespace zentrel::testing {

struct CliOutcome {
    int status = -1;
    std::string out;  // standard output only
};

// Arguments are passed through a shell, each quoted.
[[nodiscard]] CliOutcome runCli(const std::vector<std::string>& args);
[[nodiscard]] CliOutcome runProgram(const std::string& program, const std::vector<std::string>& args);
// zentrel-cli with the language variables set as given ("LANGUAGE=vi LANG=vi_VN.UTF-8",
// the others unset); `out` holds standard error too.
[[nodiscard]] CliOutcome runCliIn(const std::string& environment, const std::vector<std::string>& args);

}  // namespace zentrel::testing
