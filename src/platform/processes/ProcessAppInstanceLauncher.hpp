#pragma once
// Starts the app again as a detached process with the command line it was
// started with; the start runs on the given executor.

#include "platform/concurrency/Executor.hpp"
#include "platform/processes/AppInstanceLauncher.hpp"

#include <string>
#include <vector>

namespace zentrel::platform {

class ProcessAppInstanceLauncher final : public AppInstanceLauncher {
public:
    ProcessAppInstanceLauncher(std::vector<std::string> command, Executor& executor);
    // The running program ("/proc/self/exe") with the given arguments.
    [[nodiscard]] static std::vector<std::string> commandOfThisProcess(const std::vector<std::string>& arguments);

    void openNewInstance(std::function<void(bool started)> done) override;

private:
    std::vector<std::string> command_;
    Executor& executor_;
};

}  // namespace zentrel::platform
