#pragma once
// The typing test window as a child process: started with the environment
// of this process plus `extra`, driven through its standard input, its
// fields read from the file it writes. Killed when this object goes.

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace zentrel::testing {

class TestWindowProcess final {
public:
    TestWindowProcess(const std::filesystem::path& program, std::filesystem::path fieldsFile,
                      const std::vector<std::string>& extraEnvironment = {});
    ~TestWindowProcess();
    TestWindowProcess(const TestWindowProcess&) = delete;
    TestWindowProcess& operator=(const TestWindowProcess&) = delete;

    // Waits for the line `expected` on the window's output.
    [[nodiscard]] bool waitFor(const std::string& expected, std::chrono::milliseconds limit);
    // Sends a command and waits for its "ok".
    [[nodiscard]] bool command(const std::string& line);
    // The fields as last written: "plain" and "password".
    [[nodiscard]] std::map<std::string, std::string> fields() const;
    [[nodiscard]] int processID() const { return pid_; }

private:
    std::filesystem::path fieldsFile_;
    int pid_ = -1;
    int input_ = -1;
    int output_ = -1;
    std::string pending_;
};

}  // namespace zentrel::testing
