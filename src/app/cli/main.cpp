// zentrel-cli: the headless front of Zentrel. It reads the real home folder
// only when no --home is given, and changes files only under an explicit one.

#include "app/cli/CliCommand.hpp"
#include "platform/DesktopTexts.hpp"

#include <algorithm>
#include <iostream>

int main(int argc, char** argv) {
    zentrel::platform::addDesktopTexts(zentrel::platform::Localization::shared());
    auto& commands = zentrel::cli::registeredCommands();
    std::sort(commands.begin(), commands.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    std::string name = argc > 1 ? argv[1] : "";
    for (const auto& command : commands) {
        if (command.name != name) continue;
        try {
            return command.run(std::vector<std::string>(argv + 2, argv + argc));
        } catch (const zentrel::cli::UsageError& error) {
            std::cerr << "zentrel-cli: " << error.what() << "\n";
            return 2;
        }
    }
    std::ostream& out = name.empty() || name == "help" || name == "--help" ? std::cout : std::cerr;
    if (!name.empty() && name != "help" && name != "--help") out << "zentrel-cli: unknown command \"" << name << "\"\n";
    out << "usage: zentrel-cli COMMAND [ARGS...]\n\ncommands:\n";
    for (const auto& command : commands) out << "  " << command.usage << "\n      " << command.summary << "\n";
    return name.empty() || name == "help" || name == "--help" ? 0 : 2;
}
