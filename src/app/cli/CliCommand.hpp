#pragma once
// The commands of zentrel-cli. Each command lives in its own source file and
// registers itself with a static `CliCommandRegistration`:
//
//   static CliCommandRegistration scan{{"scan", "scan --home DIR [--category NAME] [--json]",
//                                       "Scan the home folder and list what could be cleaned", runScan}};

#include "platform/HostLayout.hpp"
#include "platform/HostTable.hpp"

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <stdexcept>
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

// A mistake in the arguments: main prints it and exits with status 2.
class UsageError final : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The options every command that reads the user's folders declares.
inline const std::vector<std::string> kLayoutOptions = {"--home", "--system-root", "--layout"};

// The folders a command works on: `--home DIR` or, without it, the real
// user's. With `--home` there is no system root (nothing of the machine
// outside that folder is touched) unless `--system-root DIR` names one, "/"
// included.
[[nodiscard]] platform::HostLayout hostLayout(const Arguments& arguments);
// The host table of `--layout linux|macos` (this platform's by default) over
// those folders. Throws UsageError for another layout.
[[nodiscard]] platform::HostTable hostTable(const Arguments& arguments, const platform::FileSystem& fileSystem);

}  // namespace zentrel::cli
