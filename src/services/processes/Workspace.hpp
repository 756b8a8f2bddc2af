#pragma once
// The desktop's view of the running applications, behind a seam: which
// processes are applications, and asking one to quit. LinuxWorkspace is the
// real backend; tests use a double.

#include "services/processes/RunningApplication.hpp"

#include <vector>

namespace zentrel::services {

class Workspace {
public:
    virtual ~Workspace() = default;

    [[nodiscard]] virtual std::vector<RunningApplication> runningApplications() const = 0;
    // Asks the application to quit, or with `force` ends it at once. Returns
    // whether the request was delivered, not whether the application ended.
    virtual bool terminate(const RunningApplication& application, bool force) = 0;
    // Whether the desktop can tell which application is in front (marked
    // active); where it cannot, none is.
    [[nodiscard]] virtual bool knowsActiveApplication() const { return true; }
};

}  // namespace zentrel::services
