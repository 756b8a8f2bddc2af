#pragma once
// Sends a signal to one process, behind a seam so that no test ever signals a
// real process. KillProcessSignaller is the real one.

#include <cstdint>
#include <functional>

namespace zentrel::services {

class ProcessSignaller {
public:
    virtual ~ProcessSignaller() = default;
    // Returns whether the signal was delivered.
    virtual bool send(std::int32_t pid, int signal) = 0;
    // Sends only when `isSameProcess` still holds once the process is held,
    // so that a pid the system gave to a new process meanwhile is never
    // signalled. Returns whether the signal was delivered.
    virtual bool sendIf(std::int32_t pid, int signal, const std::function<bool()>& isSameProcess) {
        return isSameProcess() && send(pid, signal);
    }
};

}  // namespace zentrel::services
