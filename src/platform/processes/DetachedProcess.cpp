#include "platform/processes/DetachedProcess.hpp"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string_view>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zentrel::platform {

namespace {

// Resolves the program before forking: only exec and async-signal-safe calls
// run in the child of a threaded process.
std::string resolveProgram(const std::string& name) {
    if (name.find('/') != std::string::npos) return name;
    const char* path = std::getenv("PATH");
    std::string_view rest = path ? path : "/usr/local/bin:/usr/bin:/bin";
    while (!rest.empty()) {
        auto colon = rest.find(':');
        std::string_view folder = rest.substr(0, colon);
        rest = colon == std::string_view::npos ? std::string_view{} : rest.substr(colon + 1);
        if (folder.empty()) folder = ".";
        std::filesystem::path candidate = std::filesystem::path(folder) / name;
        if (::access(candidate.c_str(), X_OK) == 0) return candidate.string();
    }
    return {};
}

}  // namespace

bool launchDetached(const std::vector<std::string>& command) {
    if (command.empty()) return false;
    const std::string program = resolveProgram(command[0]);
    if (program.empty()) return false;
    std::vector<char*> argv;
    for (const auto& arg : command) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    // The grandchild reports a failed exec through the pipe; a successful
    // exec closes it (close-on-exec), which the parent reads as success.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) return false;
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(report[0]);
        ::close(report[1]);
        return false;
    }
    if (child == 0) {
        ::close(report[0]);
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild == 0) {
            ::execv(program.c_str(), argv.data());
            int error = errno;
            [[maybe_unused]] auto written = ::write(report[1], &error, sizeof error);
            ::_exit(127);
        }
        if (grandchild < 0) {
            int error = errno;
            [[maybe_unused]] auto written = ::write(report[1], &error, sizeof error);
        }
        ::_exit(0);
    }
    ::close(report[1]);
    int error = 0;
    ssize_t got;
    do {
        got = ::read(report[0], &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    ::close(report[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return got == 0;
}

}  // namespace zentrel::platform
