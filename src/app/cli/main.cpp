// zentrel-cli: the headless front of Zentrel. It reads the real home folder
// only when no --home is given, and changes files only under an explicit one.

#include "app/cli/CliCommand.hpp"
#include "platform/DesktopTexts.hpp"

#include <algorithm>
#include <exception>
#include <iostream>

namespace {

using zentrel::platform::localized;
using zentrel::platform::localizedFormat;

std::string usageLine(const zentrel::cli::CliCommand& command) {
    return localizedFormat("usage: zentrel-cli %@", {localized(command.usage)});
}

int runCommand(const zentrel::cli::CliCommand& command, const std::vector<std::string>& args) {
    auto parsed = zentrel::cli::Arguments::parse(command.options, command.operands, args);
    if (const auto* error = std::get_if<std::string>(&parsed)) {
        std::cerr << "zentrel-cli " << command.name << ": " << *error << "\n" << usageLine(command) << "\n";
        return 2;
    }
    try {
        return command.run(std::get<zentrel::cli::Arguments>(parsed));
    } catch (const zentrel::cli::UsageError& error) {
        std::cerr << "zentrel-cli " << command.name << ": " << error.what() << "\n" << usageLine(command) << "\n";
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "zentrel-cli " << command.name << ": " << error.what() << "\n";
        return 1;
    }
}

}  // namespace

int main(int argc, char** argv) {
    zentrel::platform::useDesktopTexts(zentrel::platform::Localization::shared(), zentrel::platform::currentHostPlatform());
    auto& commands = zentrel::cli::registeredCommands();
    std::sort(commands.begin(), commands.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    std::string name = argc > 1 ? argv[1] : "";
    for (const auto& command : commands) {
        if (command.name == name) return runCommand(command, std::vector<std::string>(argv + 2, argv + argc));
    }
    std::ostream& out = name.empty() || name == "help" || name == "--help" ? std::cout : std::cerr;
    if (!name.empty() && name != "help" && name != "--help")
        out << localizedFormat("zentrel-cli: unknown command \"%@\"", {name}) << "\n";
    out << localized("usage: zentrel-cli COMMAND [ARGS...]") << "\n\n" << localized("commands:") << "\n";
    for (const auto& command : commands)
        out << "  " << localized(command.usage) << "\n      " << localized(command.summary) << "\n";
    return name.empty() || name == "help" || name == "--help" ? 0 : 2;
}
