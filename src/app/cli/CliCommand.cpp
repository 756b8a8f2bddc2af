#include "app/cli/CliCommand.hpp"

#include <algorithm>
#include <filesystem>

namespace zentrel::cli {

std::vector<CliCommand>& registeredCommands() {
    static std::vector<CliCommand> commands;
    return commands;
}

std::optional<std::string> Arguments::option(const std::string& name) const {
    for (std::size_t i = 0; i + 1 < args_.size(); ++i)
        if (args_[i] == name) return args_[i + 1];
    return std::nullopt;
}

std::vector<std::string> Arguments::options(const std::string& name) const {
    std::vector<std::string> values;
    for (std::size_t i = 0; i + 1 < args_.size(); ++i)
        if (args_[i] == name) values.push_back(args_[i + 1]);
    return values;
}

bool Arguments::flag(const std::string& name) const {
    return std::find(args_.begin(), args_.end(), name) != args_.end();
}

std::vector<std::string> Arguments::positional(const std::vector<std::string>& valueOptions) const {
    std::vector<std::string> result;
    for (std::size_t i = 0; i < args_.size(); ++i) {
        const auto& arg = args_[i];
        if (std::find(valueOptions.begin(), valueOptions.end(), arg) != valueOptions.end()) {
            ++i;
        } else if (arg.rfind("--", 0) != 0) {
            result.push_back(arg);
        }
    }
    return result;
}

std::filesystem::path plainAbsolute(const std::string& given) {
    auto path = std::filesystem::absolute(given).lexically_normal();
    if (path.has_parent_path() && path.filename().empty()) path = path.parent_path();
    return path;
}

platform::HostLayout hostLayout(const Arguments& arguments) {
    const auto home = arguments.option("--home");
    if (!home) return platform::HostLayout::fromEnvironment();
    const auto systemRoot = arguments.option("--system-root");
    return platform::HostLayout::forHome(plainAbsolute(*home),
                                         systemRoot ? plainAbsolute(*systemRoot) : std::filesystem::path());
}

platform::HostTable hostTable(const Arguments& arguments, const platform::FileSystem& fileSystem) {
    auto platform = platform::currentHostPlatform();
    if (auto name = arguments.option("--layout")) {
        auto named = platform::hostPlatformNamed(*name);
        if (!named) throw UsageError("no layout is named \"" + *name + "\"; use linux or macos");
        platform = *named;
    }
    return platform::HostTable::ofUser(platform, hostLayout(arguments), fileSystem);
}

}  // namespace zentrel::cli
