#pragma once
// Host and process statistics read from a Linux /proc tree: meminfo, stat and
// each process's stat, statm and comm. The root, the page size and the clock
// tick rate are given from outside so that tests read a fake tree.

#include "services/processes/SystemStatistics.hpp"

#include <filesystem>

namespace zentrel::services {

class ProcfsSystemStatistics final : public SystemStatistics {
public:
    struct Options {
        std::filesystem::path procRoot = "/proc";
        std::int64_t pageSize = 0;         // 0: the system's page size
        std::int64_t clockTicksPerSecond = 0;  // 0: the system's tick rate
        std::int32_t currentPid = 0;       // 0: this process
    };

    ProcfsSystemStatistics() : ProcfsSystemStatistics(Options{}) {}
    explicit ProcfsSystemStatistics(Options options);

    [[nodiscard]] std::int64_t physicalMemory() const override;
    [[nodiscard]] std::optional<MemoryCounters> memoryCounters() const override;
    [[nodiscard]] std::optional<CpuTickCounters> cpuTicks() const override;
    [[nodiscard]] int activeProcessorCount() const override;
    [[nodiscard]] std::vector<std::int32_t> listPids() const override;
    [[nodiscard]] std::optional<TaskInfo> taskInfo(std::int32_t pid) const override;
    [[nodiscard]] std::optional<std::string> processName(std::int32_t pid) const override;
    [[nodiscard]] std::int32_t currentPid() const override { return currentPid_; }

private:
    [[nodiscard]] std::string processFile(std::int32_t pid, const char* name) const;

    std::string root_;
    std::int64_t pageSize_;
    std::int64_t ticksPerSecond_;
    std::int32_t currentPid_;
};

}  // namespace zentrel::services
