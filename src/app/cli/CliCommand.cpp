#include "app/cli/CliCommand.hpp"

#include "platform/text/AsciiCase.hpp"
#include "platform/text/Localization.hpp"

#include <filesystem>

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

std::vector<CliOption> withHostTableOptions(std::vector<CliOption> own) {
    own = withHostOptions(std::move(own));
    own.push_back({"--layout", ValueKind::text});
    return own;
}

std::filesystem::path plainAbsolute(const std::string& given) {
    auto path = std::filesystem::absolute(given).lexically_normal();
    if (path.has_parent_path() && path.filename().empty()) path = path.parent_path();
    return path;
}

std::filesystem::path givenHome(const std::string& given) {
    auto home = plainAbsolute(given);
    std::error_code error;
    if (!std::filesystem::is_directory(home, error))
        throw UsageError(platform::localizedFormat("no folder at %@", {given}));
    return home;
}

model::CategoryType categoryNamed(std::string_view name) {
    for (const auto& entry : model::kCategories)
        if (platform::equalsIgnoringAsciiCase(entry.rawValue, name)) return entry.category;
    throw UsageError(platform::localizedFormat("no category is named \"%@\"; the categories are: %@",
                                               {std::string(name), categoryNames()}));
}

std::string categoryNames() {
    std::string names;
    for (const auto& entry : model::kCategories) names += (names.empty() ? "" : ", ") + std::string(entry.rawValue);
    return names;
}

platform::HostLayout hostLayout(const Arguments& arguments) {
    const auto home = arguments.option("--home");
    if (!home) return platform::HostLayout::fromEnvironment();
    const auto systemRoot = arguments.option("--system-root");
    return platform::HostLayout::forHome(givenHome(*home),
                                         systemRoot ? plainAbsolute(*systemRoot) : std::filesystem::path());
}

platform::HostTable hostTable(const Arguments& arguments, const platform::FileSystem& fileSystem) {
    auto platform = platform::currentHostPlatform();
    if (auto name = arguments.option("--layout")) {
        auto named = platform::hostPlatformNamed(*name);
        if (!named) throw UsageError(platform::localizedFormat("no layout is named \"%@\"; use linux or macos", {*name}));
        platform = *named;
    }
    return platform::HostTable::ofUser(platform, hostLayout(arguments), fileSystem);
}

}  // namespace zentrel::cli
