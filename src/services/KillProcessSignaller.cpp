#include "services/KillProcessSignaller.hpp"

#include <csignal>

namespace zentrel::services {

bool KillProcessSignaller::send(std::int32_t pid, int signal) {
    if (pid < 1) return false;
    return ::kill(static_cast<pid_t>(pid), signal) == 0;
}

}  // namespace zentrel::services
