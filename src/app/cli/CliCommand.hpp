#pragma once
// The commands of zentrel-cli. Each command lives in its own source file,
// declares the options it knows and registers itself with a static
// `CliCommandRegistration`:
//
//   static CliCommandRegistration scan{{.name = "scan",
//                                       .usage = "scan [--home DIR] [--category NAME] [--json]",
//                                       .summary = "Scan the home folder and list what could be cleaned",
//                                       .options = withHostTableOptions({{"--category", ValueKind::text}, {"--json"}}),
//                                       .run = runScan}};
//
// main() reads the arguments against the declared options; a command runs
// only when they fit.

#include "app/cli/Arguments.hpp"
#include "model/CategoryType.hpp"
#include "platform/places/HostLayout.hpp"
#include "platform/places/HostTable.hpp"

#include <filesystem>
#include <functional>
#include <stdexcept>
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

// A mistake in the arguments found while a command runs: main prints it and
// exits with status 2.
class UsageError final : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A command's own options with those hostLayout() reads (--home, --system-root).
[[nodiscard]] std::vector<CliOption> withHostOptions(std::vector<CliOption> own);
// A command's own options with those hostTable() reads (--layout too).
[[nodiscard]] std::vector<CliOption> withHostTableOptions(std::vector<CliOption> own);

// "fx/home/" as "/current/folder/fx/home": the scanners' paths must be
// absolute and plain, or the clean refuses them.
[[nodiscard]] std::filesystem::path plainAbsolute(const std::string& given);

// The folder `--home` names, made plain and absolute. Throws UsageError when
// it is not an existing folder: nothing is made in a mistyped one.
[[nodiscard]] std::filesystem::path givenHome(const std::string& given);

// The category of a name in any case ("dev projects"): its title or its
// friendly name ("App Junk") as the window and the report show them, in
// English or in the language of the texts, or its stored name. Throws
// UsageError, with the names there are, for no category.
[[nodiscard]] model::CategoryType categoryNamed(std::string_view name);
// "Build Caches, Dev Tools, ...": every category's title in the language of the texts.
[[nodiscard]] std::string categoryNames();

// The real user's folders. Throws UsageError when HOME is not set or names
// no folder.
[[nodiscard]] platform::HostLayout realHostLayout();

// The folders a command works on: `--home DIR` or, without it, the real
// user's. With `--home` there is no system root (nothing of the machine
// outside that folder is touched) unless `--system-root DIR` names one, "/"
// included.
[[nodiscard]] platform::HostLayout hostLayout(const Arguments& arguments);
// The host table of `--layout linux|macos` (this platform's by default) over
// those folders. Throws UsageError for another layout.
[[nodiscard]] platform::HostTable hostTable(const Arguments& arguments, const platform::FileSystem& fileSystem);

}  // namespace zentrel::cli
