// zentrel-cli: the headless front of Zentrel. It reads the real home folder
// only when no --home is given, and changes files only under an explicit one.

#include "app/cli/CliCommand.hpp"
#include "app/cli/TerminalText.hpp"
#include "app/cli/TroubleReport.hpp"
#include "platform/text/DesktopTexts.hpp"
#include "platform/text/Localization.hpp"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <iostream>

namespace {

using zentrel::platform::localized;
using zentrel::platform::localizedFormat;

std::string usageLine(const zentrel::cli::CliCommand& command) {
    return localizedFormat("usage: zentrel-cli %@", {localized(command.usage)});
}

void printHelp(const zentrel::cli::CliCommand& command) {
    std::cout << usageLine(command) << "\n  " << localized(command.summary) << "\n";
}

const zentrel::cli::CliCommand* commandNamed(const std::string& name) {
    for (const auto& command : zentrel::cli::registeredCommands())
        if (command.name == name) return &command;
    return nullptr;
}

int runCommand(const zentrel::cli::CliCommand& command, const std::vector<std::string>& args) {
    auto parsed = zentrel::cli::Arguments::parse(command.options, command.operands, args);
    if (const auto* error = std::get_if<std::string>(&parsed)) {
        std::cerr << "zentrel-cli " << command.name << ": " << *error << "\n" << usageLine(command) << "\n";
        return 2;
    }
    const auto& arguments = std::get<zentrel::cli::Arguments>(parsed);
    if (arguments.helpWanted()) {
        printHelp(command);
        return 0;
    }
    try {
        return command.run(arguments);
    } catch (const zentrel::cli::UsageError& error) {
        std::cerr << "zentrel-cli " << command.name << ": " << error.what() << "\n" << usageLine(command) << "\n";
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "zentrel-cli " << command.name << ": " << error.what() << "\n";
        return 1;
    }
}

int run(int argc, char** argv) {
    auto& commands = zentrel::cli::registeredCommands();
    std::sort(commands.begin(), commands.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    std::string name = argc > 1 ? argv[1] : "";
    if (name == "--version") {
        std::cout << "zentrel-cli " << ZENTREL_VERSION << "\n";
        return 0;
    }
    if (const auto* command = commandNamed(name)) return runCommand(*command, std::vector<std::string>(argv + 2, argv + argc));
    // "help COMMAND": that command's help alone.
    if (name == "help" && argc > 2) {
        const auto* command = argc == 3 ? commandNamed(argv[2]) : nullptr;
        if (command == nullptr) {
            std::cerr << (argc == 3 ? localizedFormat("zentrel-cli: unknown command \"%@\"",
                                                      {zentrel::cli::terminalText(argv[2], zentrel::cli::Stream::error)})
                                    : "zentrel-cli: " + localized("help takes one command name"))
                      << "\n" << localized("usage: zentrel-cli help [COMMAND]") << "\n";
            return 2;
        }
        printHelp(*command);
        return 0;
    }
    const bool helpWanted = name.empty() || name == "help" || name == "--help" || name == "-h";
    std::ostream& out = helpWanted ? std::cout : std::cerr;
    if (!helpWanted) out << localizedFormat("zentrel-cli: unknown command \"%@\"", {zentrel::cli::terminalText(name, zentrel::cli::Stream::error)}) << "\n";
    out << localized("usage: zentrel-cli COMMAND [ARGS...]") << "\n\n" << localized("commands:") << "\n";
    for (const auto& command : commands)
        out << "  " << localized(command.usage) << "\n      " << localized(command.summary) << "\n";
    out << "\n" << zentrel::platform::localizedFormat("Category names, in any case: %@", {zentrel::cli::categoryNames()})
        << "\n";
    return helpWanted ? 0 : 2;
}

// The status once what was printed is out: output that could not be
// written, or trouble met on the way, fails a command that did its work.
int finished(int status) {
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::cerr << "zentrel-cli: "
                  << zentrel::platform::localizedFormat("cannot write the output: %@",
                                                        {errno != 0 ? std::strerror(errno) : "?"})
                  << "\n";
        return status == 0 ? 1 : status;
    }
    return status == 0 && zentrel::cli::metTrouble() ? 1 : status;
}

}  // namespace

int main(int argc, char** argv) {
    zentrel::platform::useDesktopTexts(zentrel::platform::Localization::shared(), zentrel::platform::currentHostPlatform());
    zentrel::cli::reportTroubleOnStandardError();
    return finished(run(argc, argv));
}
