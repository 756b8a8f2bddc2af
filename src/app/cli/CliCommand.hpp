#pragma once
// The commands of zentrel-cli. Each command lives in its own source file and
// registers itself with a static `CliCommandRegistration`:
//
//   static CliCommandRegistration scan{{"scan", "scan --home DIR [--category NAME] [--json]",
//                                       "Scan the home folder and list what could be cleaned", runScan}};

#include "platform/HostLayout.hpp"

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace zentrel::cli {

struct CliCommand {
    std::string name;
    std::string usage;
    std::string summary;
    // Gets the arguments after the command name; returns the exit status.
    std::function<int(const std::vector<std::string>& args)> run;
};

std::vector<CliCommand>& registeredCommands();

struct CliCommandRegistration {
    explicit CliCommandRegistration(CliCommand command) { registeredCommands().push_back(std::move(command)); }
};

// Small argument helpers shared by the commands.
class Arguments {
public:
    explicit Arguments(std::vector<std::string> args) : args_(std::move(args)) {}
    // The value after `--name`, if given.
    [[nodiscard]] std::optional<std::string> option(const std::string& name) const;
    // Every value given after repeated `--name` options.
    [[nodiscard]] std::vector<std::string> options(const std::string& name) const;
    [[nodiscard]] bool flag(const std::string& name) const;
    // Arguments that are neither options nor their values. `valueOptions`
    // names the options that take a value.
    [[nodiscard]] std::vector<std::string> positional(const std::vector<std::string>& valueOptions) const;

private:
    std::vector<std::string> args_;
};

// "fx/home/" as "/current/folder/fx/home": the scanners' paths must be
// absolute and plain, or the clean refuses them.
[[nodiscard]] std::filesystem::path plainAbsolute(const std::string& given);

// The folders a command works on: `--home DIR` (with `--system-root DIR`, "/"
// by default) or, without `--home`, the real user's.
[[nodiscard]] platform::HostLayout hostLayout(const Arguments& arguments);

}  // namespace zentrel::cli
