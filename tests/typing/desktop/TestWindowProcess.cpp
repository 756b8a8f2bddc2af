#include "typing/desktop/TestWindowProcess.hpp"

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace zentrel::testing {

TestWindowProcess::TestWindowProcess(const std::filesystem::path& program, std::filesystem::path fieldsFile,
                                     const std::vector<std::string>& extraEnvironment)
    : fieldsFile_(std::move(fieldsFile)) {
    int toChild[2];
    int fromChild[2];
    if (::pipe(toChild) != 0 || ::pipe(fromChild) != 0) return;
    std::vector<std::string> environment(extraEnvironment);
    for (char** variable = environ; *variable != nullptr; ++variable) environment.emplace_back(*variable);
    pid_ = ::fork();
    if (pid_ == 0) {
        ::dup2(toChild[0], STDIN_FILENO);
        ::dup2(fromChild[1], STDOUT_FILENO);
        ::close(toChild[1]);
        ::close(fromChild[0]);
        std::vector<char*> envp;
        for (auto& variable : environment) envp.push_back(variable.data());
        envp.push_back(nullptr);
        const std::string path = program.string();
        const std::string file = fieldsFile_.string();
        char* argv[] = {const_cast<char*>(path.c_str()), const_cast<char*>(file.c_str()), nullptr};
        ::execve(path.c_str(), argv, envp.data());
        ::_exit(127);
    }
    ::close(toChild[0]);
    ::close(fromChild[1]);
    input_ = toChild[1];
    output_ = fromChild[0];
}

TestWindowProcess::~TestWindowProcess() {
    if (input_ >= 0) ::close(input_);
    if (output_ >= 0) ::close(output_);
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
}

bool TestWindowProcess::waitFor(const std::string& expected, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        for (auto end = pending_.find('\n'); end != std::string::npos; end = pending_.find('\n')) {
            const auto line = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            if (line == expected) return true;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || output_ < 0) return false;
        pollfd fd{output_, POLLIN, 0};
        if (::poll(&fd, 1, static_cast<int>(left.count())) <= 0) return false;
        char buffer[256];
        const auto got = ::read(output_, buffer, sizeof buffer);
        if (got <= 0) return false;
        pending_.append(buffer, static_cast<std::size_t>(got));
    }
}

bool TestWindowProcess::command(const std::string& line) {
    const std::string text = line + "\n";
    if (input_ < 0 || ::write(input_, text.data(), text.size()) != static_cast<ssize_t>(text.size())) return false;
    return waitFor("ok", std::chrono::seconds(5));
}

std::map<std::string, std::string> TestWindowProcess::fields() const {
    std::map<std::string, std::string> values;
    std::ifstream file(fieldsFile_);
    std::string line;
    while (std::getline(file, line)) {
        if (const auto equals = line.find('='); equals != std::string::npos) {
            values[line.substr(0, equals)] = line.substr(equals + 1);
        }
    }
    return values;
}

}  // namespace zentrel::testing
