#pragma once
// Signals real processes with kill(2), or through a pidfd when the process's
// identity is checked first.

#include "services/processes/ProcessSignaller.hpp"

namespace zentrel::services {

class KillProcessSignaller final : public ProcessSignaller {
public:
    // Refuses pids below 1, which would signal a process group or every process.
    bool send(std::int32_t pid, int signal) override;
    // Holds the process by a pidfd while the check runs, so the pid cannot
    // pass to another process between the check and the signal.
    bool sendIf(std::int32_t pid, int signal, const std::function<bool()>& isSameProcess) override;
};

}  // namespace zentrel::services
