#pragma once
// Runs a program the build made (zentrel-cli unless named) and collects what
// it printed.

#include <string>
#include <vector>

namespace zentrel::testing {

struct CliOutcome {
    int status = -1;
    std::string out;  // standard output
    std::string err;  // standard error
};

// How a run differs from a plain one.
struct CliRun {
    // A file standard output goes to instead of the outcome ("/dev/full").
    std::string outputFile;
    // File permissions hold for the program even when the tests run as root.
    bool permissionsBite = false;
    // Language variables set as given ("LANGUAGE=vi LANG=vi_VN.UTF-8"), the others unset.
    std::string languageEnvironment;
    // Other variables set or unset as env(1) takes them ("-u HOME", "HOME=/none").
    std::string environment;
    // The stream that goes to a terminal (a pseudo-terminal read into the outcome).
    enum class Terminal { none, output, error } terminal = Terminal::none;
};

// Arguments are passed through a shell, each quoted.
[[nodiscard]] CliOutcome runCli(const std::vector<std::string>& args, const CliRun& run = {});
[[nodiscard]] CliOutcome runProgram(const std::string& program, const std::vector<std::string>& args,
                                    const CliRun& run = {});
// zentrel-cli with the language variables set as given; `out` holds standard error too.
[[nodiscard]] CliOutcome runCliIn(const std::string& environment, const std::vector<std::string>& args);

}  // namespace zentrel::testing
