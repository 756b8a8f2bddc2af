#pragma once
// Runs the zentrel-cli program the build made and collects what it printed.

#include <string>
#include <vector>

namespace zentrel::testing {

struct CliOutcome {
    int status = -1;
    std::string out;  // standard output only
};

// Arguments are passed through a shell, each quoted.
[[nodiscard]] CliOutcome runCli(const std::vector<std::string>& args);

}  // namespace zentrel::testing
