#pragma once
// The commands of zentrel-cli. Each command lives in its own source file,
// declares the options it knows and registers itself with a static
// `CliCommandRegistration`:
//
//   static CliCommandRegistration scan{{.name = "scan",
//                                       .usage = "scan [--home DIR] [--category NAME] [--json]",
//                                       .summary = "Scan the home folder and list what could be cleaned",
//                                       .options = withHostOptions({{"--category", ValueKind::text}, {"--json"}}),
//                                       .run = runScan}};
//
// main() reads the arguments against the declared options; a command runs
// only when they fit.

#include "app/cli/Arguments.hpp"
#include "platform/HostLayout.hpp"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace zentrel::cli {

struct CliCommand {
    std::string name;
    std::string usage;
    std::string summary;
    std::vector<CliOption> options;
    ValueKind operands = ValueKind::none;
    // Gets the arguments after the command name; returns the exit status.
    std::function<int(const Arguments& args)> run;
};

std::vector<CliCommand>& registeredCommands();

struct CliCommandRegistration {
    explicit CliCommandRegistration(CliCommand command) { registeredCommands().push_back(std::move(command)); }
};

// The options hostLayout() reads, added to a command's own.
[[nodiscard]] std::vector<CliOption> withHostOptions(std::vector<CliOption> own);

// "fx/home/" as "/current/folder/fx/home": the scanners' paths must be
// absolute and plain, or the clean refuses them.
[[nodiscard]] std::filesystem::path plainAbsolute(const std::string& given);

// The folders a command works on: `--home DIR` (with `--system-root DIR`, "/"
// by default) or, without `--home`, the real user's.
[[nodiscard]] platform::HostLayout hostLayout(const Arguments& arguments);

}  // namespace zentrel::cli
