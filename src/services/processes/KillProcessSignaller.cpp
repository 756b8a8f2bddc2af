#include "services/processes/KillProcessSignaller.hpp"

#include <cerrno>
#include <csignal>

#include <sys/syscall.h>
#include <unistd.h>

namespace zentrel::services {

bool KillProcessSignaller::send(std::int32_t pid, int signal) {
    if (pid < 1) return false;
    return ::kill(static_cast<pid_t>(pid), signal) == 0;
}

bool KillProcessSignaller::sendIf(std::int32_t pid, int signal, const std::function<bool()>& isSameProcess) {
    if (pid < 1) return false;
    const long fd = ::syscall(SYS_pidfd_open, static_cast<pid_t>(pid), 0);
    if (fd < 0) {
        // A kernel without pidfds: check, then signal at once.
        return errno == ENOSYS && isSameProcess() && send(pid, signal);
    }
    const bool sent = isSameProcess() && ::syscall(SYS_pidfd_send_signal, static_cast<int>(fd), signal, nullptr, 0) == 0;
    ::close(static_cast<int>(fd));
    return sent;
}

}  // namespace zentrel::services
