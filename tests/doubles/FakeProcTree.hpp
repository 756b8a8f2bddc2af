#pragma once
// A fake /proc tree in a test folder: meminfo, stat and one folder per process
// with stat, statm, comm, cmdline and environ, in the kernel's formats.

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace zentrel::testing {

class FakeProcTree {
public:
    struct Process {
        std::int32_t pid = 0;
        std::string name;  // comm, and the name in parentheses of stat
        std::int32_t parentPid = 1;
        char state = 'S';
        std::uint64_t userTicks = 0;
        std::uint64_t systemTicks = 0;
        std::int64_t residentPages = 0;
        // NUL-separated, as the kernel gives them; empty for kernel threads.
        std::string commandLine;
        std::string environment;
        std::uint64_t startTicks = 5000;  // after boot; a reused pid gets another
    };

    explicit FakeProcTree(std::filesystem::path root);

    [[nodiscard]] const std::filesystem::path& root() const { return root_; }

    // Lines "Name:   value kB".
    void writeMeminfo(const std::vector<std::pair<std::string, std::int64_t>>& kilobytes);
    // The "cpu" line (user nice system idle iowait irq softirq steal) and one
    // "cpuN" line per processor.
    void writeStat(const std::vector<std::uint64_t>& cpuTicks, int processors);
    void addProcess(const Process& process);
    void removeProcess(std::int32_t pid);

    // A command line from its arguments.
    [[nodiscard]] static std::string commandLineOf(const std::vector<std::string>& arguments);

private:
    void write(const std::filesystem::path& relative, const std::string& contents) const;

    std::filesystem::path root_;
};

}  // namespace zentrel::testing
