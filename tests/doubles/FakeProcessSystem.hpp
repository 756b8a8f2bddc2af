#pragma once
// A process system of a test's making: the processes it lists, the files
// they hold open, the lock on each file and the answer of each socket.

#include "platform/processes/ProcessSystem.hpp"

#include <map>

namespace zentrel::testing {

class FakeProcessSystem final : public platform::ProcessSystem {
public:
    std::vector<platform::ProcessRecord> running;
    std::map<std::int64_t, std::vector<std::string>> open;
    std::map<std::string, platform::FileLockState> locks;  // unknown for any other path
    std::map<std::string, platform::SocketAnswer> sockets;  // unreachable for any other path
    std::string host = "desk";
    std::string runtime;

    [[nodiscard]] std::optional<platform::ProcessRecord> process(std::int64_t pid) const override {
        for (const auto& each : running)
            if (each.pid == pid) return each;
        return std::nullopt;
    }
    [[nodiscard]] std::vector<platform::ProcessRecord> processes() const override { return running; }
    [[nodiscard]] std::vector<std::string> openFiles(std::int64_t pid) const override {
        const auto found = open.find(pid);
        return found == open.end() ? std::vector<std::string>{} : found->second;
    }
    [[nodiscard]] platform::FileLockState fileLock(const std::string& path) const override {
        const auto found = locks.find(path);
        return found == locks.end() ? platform::FileLockState::unknown : found->second;
    }
    [[nodiscard]] platform::SocketAnswer connectTo(const std::string& path) const override {
        const auto found = sockets.find(path);
        return found == sockets.end() ? platform::SocketAnswer::unreachable : found->second;
    }
    [[nodiscard]] std::string hostName() const override { return host; }
    [[nodiscard]] std::string runtimeFolder() const override { return runtime; }
};

}  // namespace zentrel::testing
