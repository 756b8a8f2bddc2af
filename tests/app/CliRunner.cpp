#include "CliRunner.hpp"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace zentrel::testing {

namespace {

std::string quoted(const std::string& text) {
    std::string result = "'";
    for (char c : text) result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

// A scratch file for standard error, removed when the run is read.
class ErrorFile {
public:
    ErrorFile() {
        const int fd = ::mkstemp(path_.data());
        if (fd >= 0) ::close(fd);
    }
    ~ErrorFile() { std::remove(path_.c_str()); }
    [[nodiscard]] const std::string& path() const { return path_; }
    [[nodiscard]] std::string text() const {
        std::ifstream in(path_);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

private:
    std::string path_ = "/tmp/zentrel-cli-err-XXXXXX";
};

}  // namespace

CliOutcome runCli(const std::vector<std::string>& args, const CliRun& run) {
    return runProgram(ZENTREL_CLI_PATH, args, run);
}

CliOutcome runProgram(const std::string& program, const std::vector<std::string>& args, const CliRun& run) {
    std::string command;
    if (!run.languageEnvironment.empty())
        command = "env -u LANGUAGE -u LC_ALL -u LC_MESSAGES -u LANG " + run.languageEnvironment + " ";
    // Root reads every file; without these capabilities it is refused as anyone is.
    if (run.permissionsBite && ::geteuid() == 0) command += "setpriv --bounding-set=-dac_override,-dac_read_search ";
    command += quoted(program);
    for (const auto& arg : args) command += " " + quoted(arg);
    const ErrorFile errors;
    command += " 2>" + quoted(errors.path());
    if (!run.outputFile.empty()) command += " >" + quoted(run.outputFile);
    CliOutcome outcome;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return outcome;
    std::array<char, 4096> buffer{};
    while (auto read = fread(buffer.data(), 1, buffer.size(), pipe)) outcome.out.append(buffer.data(), read);
    const int status = pclose(pipe);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    outcome.err = errors.text();
    return outcome;
}

CliOutcome runCliIn(const std::string& environment, const std::vector<std::string>& args) {
    auto outcome = runCli(args, {.languageEnvironment = environment});
    outcome.out += outcome.err;
    return outcome;
}

}  // namespace zentrel::testing
