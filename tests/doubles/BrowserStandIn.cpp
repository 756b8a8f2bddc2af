#include "doubles/BrowserStandIn.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zentrel::testing {
namespace {

std::filesystem::path sleepProgram() {
    for (const auto* candidate : {"/usr/bin/sleep", "/bin/sleep"})
        if (std::filesystem::exists(candidate)) return candidate;
    return {};
}

// Returns once the child runs `program`: the pipe's write end closes on exec.
pid_t startSleeping(const std::filesystem::path& program) {
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        ::execl(program.c_str(), program.filename().c_str(), "600", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(pipeEnds[1]);
    char byte = 0;
    while (::read(pipeEnds[0], &byte, 1) < 0 && errno == EINTR) {
    }
    ::close(pipeEnds[0]);
    return child;
}

void stop(pid_t pid) {
    if (pid <= 0) return;
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
}

}  // namespace

BrowserStandIn::BrowserStandIn(const std::string& programName) {
    const auto program = folder_ / programName;
    std::filesystem::copy_file(sleepProgram(), program);
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    pid_ = startSleeping(program);
    EXPECT_GT(pid_, 0);
}

BrowserStandIn::~BrowserStandIn() { stop(pid_); }

SleepingProcess::SleepingProcess() : pid_(startSleeping(sleepProgram())) {}

SleepingProcess::~SleepingProcess() { stop(pid_); }

}  // namespace zentrel::testing
