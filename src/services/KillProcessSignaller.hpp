#pragma once
// Signals real processes with kill(2).

#include "services/ProcessSignaller.hpp"

namespace zentrel::services {

class KillProcessSignaller final : public ProcessSignaller {
public:
    // Refuses pids below 1, which would signal a process group or every process.
    bool send(std::int32_t pid, int signal) override;
};

}  // namespace zentrel::services
