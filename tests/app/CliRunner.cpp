#include "CliRunner.hpp"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace zentrel::testing {

namespace {

std::string quoted(const std::string& text) {
    std::string result = "'";
    for (char c : text) result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

// A scratch file for a stream the run writes, removed when the run is read.
class ScratchFile {
public:
    ScratchFile() {
        const int fd = ::mkstemp(path_.data());
        if (fd >= 0) ::close(fd);
    }
    ~ScratchFile() { std::remove(path_.c_str()); }
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

// Runs the shell command with one stream on a pseudo-terminal, which
// writes bytes as they come (no "\r" added); what it printed there is returned.
std::string runOnTerminal(const std::string& command, int stream, int& status) {
    int terminal = -1;
    int side = -1;
    termios raw{};
    cfmakeraw(&raw);
    if (::openpty(&terminal, &side, nullptr, &raw, nullptr) != 0) return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::setsid();
        ::dup2(side, stream);
        ::close(terminal);
        ::close(side);
        ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(side);
    std::string text;
    std::array<char, 4096> buffer{};
    // The terminal reads as failed once the program and its children closed it.
    for (ssize_t read = 0; (read = ::read(terminal, buffer.data(), buffer.size())) > 0;)
        text.append(buffer.data(), static_cast<std::size_t>(read));
    ::close(terminal);
    int waited = 0;
    ::waitpid(child, &waited, 0);
    status = WIFEXITED(waited) ? WEXITSTATUS(waited) : -1;
    return text;
}

}  // namespace

CliOutcome runCli(const std::vector<std::string>& args, const CliRun& run) {
    return runProgram(ZENTREL_CLI_PATH, args, run);
}

CliOutcome runProgram(const std::string& program, const std::vector<std::string>& args, const CliRun& run) {
    std::string command;
    if (!run.environment.empty()) command = "env " + run.environment + " ";
    if (!run.languageEnvironment.empty())
        command += "env -u LANGUAGE -u LC_ALL -u LC_MESSAGES -u LANG " + run.languageEnvironment + " ";
    // Root reads every file; without these capabilities it is refused as anyone is.
    if (run.permissionsBite && ::geteuid() == 0) command += "setpriv --bounding-set=-dac_override,-dac_read_search ";
    command += quoted(program);
    for (const auto& arg : args) command += " " + quoted(arg);
    const ScratchFile errors;
    CliOutcome outcome;
    if (run.terminal != CliRun::Terminal::none) {
        const ScratchFile other;  // the stream that is no terminal
        const bool output = run.terminal == CliRun::Terminal::output;
        command += (output ? " 2>" : " >") + quoted(other.path());
        auto shown = runOnTerminal(command, output ? STDOUT_FILENO : STDERR_FILENO, outcome.status);
        (output ? outcome.out : outcome.err) = std::move(shown);
        (output ? outcome.err : outcome.out) = other.text();
        return outcome;
    }
    command += " 2>" + quoted(errors.path());
    if (!run.outputFile.empty()) command += " >" + quoted(run.outputFile);
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
