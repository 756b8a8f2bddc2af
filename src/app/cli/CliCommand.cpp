#include "app/cli/CliCommand.hpp"

#include "app/cli/TerminalText.hpp"
#include "platform/text/AsciiCase.hpp"
#include "platform/text/Localization.hpp"

#include <cstdlib>
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
        throw UsageError(platform::localizedFormat("no folder at %@", {terminalText(given, Stream::error)}));
    return home;
}

namespace {

// The names of a category a user meets: its title and its friendly name as
// the window and the report show them, in English and in the language of
// the texts, and the stored raw value.
std::vector<std::string> namesOf(const model::CategoryInfo& entry) {
    auto& texts = platform::Localization::shared();
    std::vector<std::string> names{std::string(entry.rawValue)};
    for (const auto key : {entry.rawValue, entry.friendlyName}) {
        names.push_back(texts.lookupIn("en", key));
        names.push_back(platform::localized(key));
    }
    return names;
}

// HOME as a folder that is there, or a usage error: no command works on "/"
// or on nothing because the variable is missing.
std::filesystem::path realHome() {
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0')
        throw UsageError(platform::localized("HOME is not set; name the home folder with --home DIR"));
    std::error_code error;
    if (!std::filesystem::is_directory(home, error))
        throw UsageError(platform::localizedFormat("HOME names no folder (%@); name the home folder with --home DIR",
                                                   {terminalText(home, Stream::error)}));
    return home;
}

}  // namespace

model::CategoryType categoryNamed(std::string_view name) {
    for (const auto& entry : model::kCategories)
        for (const auto& known : namesOf(entry))
            if (platform::equalsIgnoringAsciiCase(known, name)) return entry.category;
    throw UsageError(platform::localizedFormat("no category is named \"%@\"; the categories are: %@",
                                               {terminalText(name, Stream::error), categoryNames()}));
}

std::string categoryNames() {
    std::string names;
    for (const auto& entry : model::kCategories) names += (names.empty() ? "" : ", ") + model::displayName(entry.category);
    return names;
}

platform::HostLayout realHostLayout() {
    realHome();
    return platform::HostLayout::fromEnvironment();
}

platform::HostLayout hostLayout(const Arguments& arguments) {
    const auto home = arguments.option("--home");
    if (!home) return realHostLayout();
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
