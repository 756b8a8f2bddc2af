#include "platform/processes/ProcessAppInstanceLauncher.hpp"

#include "platform/processes/DetachedProcess.hpp"

#include <filesystem>
#include <system_error>

namespace zentrel::platform {

ProcessAppInstanceLauncher::ProcessAppInstanceLauncher(std::vector<std::string> command, Executor& executor)
    : command_(std::move(command)), executor_(executor) {}

std::vector<std::string> ProcessAppInstanceLauncher::commandOfThisProcess(const std::vector<std::string>& arguments) {
    std::error_code error;
    auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    std::vector<std::string> command{error ? std::string("/proc/self/exe") : program.string()};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return command;
}

void ProcessAppInstanceLauncher::openNewInstance(std::function<void(bool started)> done) {
    executor_.submit([command = command_, done = std::move(done)] { done(launchDetached(command)); });
}

}  // namespace zentrel::platform
