#include "CliRunner.hpp"

#include <array>
#include <cstdio>
#include <sys/wait.h>

namespace zentrel::testing {

namespace {

std::string quoted(const std::string& text) {
    std::string result = "'";
    for (char c : text) result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

std::string commandLine(const std::string& program, const std::vector<std::string>& args) {
    std::string command = quoted(program);
    for (const auto& arg : args) command += " " + quoted(arg);
    return command;
}

CliOutcome outcomeOf(const std::string& command) {
    CliOutcome outcome;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return outcome;
    std::array<char, 4096> buffer{};
    while (auto read = fread(buffer.data(), 1, buffer.size(), pipe)) outcome.out.append(buffer.data(), read);
    const int status = pclose(pipe);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}

}  // namespace

CliOutcome runCli(const std::vector<std::string>& args) { return runProgram(ZENTREL_CLI_PATH, args); }

CliOutcome runProgram(const std::string& program, const std::vector<std::string>& args) {
    return outcomeOf(commandLine(program, args) + " 2>/dev/null");
}

CliOutcome runCliIn(const std::string& environment, const std::vector<std::string>& args) {
    return outcomeOf("env -u LANGUAGE -u LC_ALL -u LC_MESSAGES -u LANG " + environment + " " +
                     commandLine(ZENTREL_CLI_PATH, args) + " 2>&1");
}

}  // namespace zentrel::testing
