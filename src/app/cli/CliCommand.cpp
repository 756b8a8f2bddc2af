#include "app/cli/CliCommand.hpp"

namespace zentrel::cli {

std::vector<CliCommand>& registeredCommands() {
    static std::vector<CliCommand> commands;
    return commands;
}

std::vector<CliOption> withHostOptions(std::vector<CliOption> own) {
    own.push_back({"--home", ValueKind::path});
    own.push_back({"--system-root", ValueKind::path});
    return own;
}

std::filesystem::path plainAbsolute(const std::string& given) {
    auto path = std::filesystem::absolute(given).lexically_normal();
    if (path.has_parent_path() && path.filename().empty()) path = path.parent_path();
    return path;
}

platform::HostLayout hostLayout(const Arguments& arguments) {
    const auto home = arguments.option("--home");
    if (!home) return platform::HostLayout::fromEnvironment();
    return platform::HostLayout::forHome(plainAbsolute(*home), plainAbsolute(arguments.option("--system-root").value_or("/")));
}

}  // namespace zentrel::cli
