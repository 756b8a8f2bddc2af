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

}  // namespace

CliOutcome runCli(const std::vector<std::string>& args) { return runProgram(ZENTREL_CLI_PATH, args); }

CliOutcome runProgram(const std::string& program, const std::vector<std::string>& args) {
    std::string command = quoted(program);
    for (const auto& arg : args) command += " " + quoted(arg);
    command += " 2>/dev/null";
    CliOutcome outcome;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return outcome;
    std::array<char, 4096> buffer{};
    while (auto read = fread(buffer.data(), 1, buffer.size(), pipe)) outcome.out.append(buffer.data(), read);
    const int status = pclose(pipe);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}

}  // namespace zentrel::testing
