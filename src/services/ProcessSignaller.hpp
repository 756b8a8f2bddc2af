#pragma once
// Sends a signal to one process, behind a seam so that no test ever signals a
// real process. KillProcessSignaller is the real one.

#include <cstdint>

namespace zentrel::services {

class ProcessSignaller {
public:
    virtual ~ProcessSignaller() = default;
    // Returns whether the signal was delivered.
    virtual bool send(std::int32_t pid, int signal) = 0;
};

}  // namespace zentrel::services
