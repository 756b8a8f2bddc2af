#pragma once
// The host and process statistics of the operating system, behind a seam:
// memory counters, CPU tick counters, the process list and each process's
// resident memory and CPU time. ProcfsSystemStatistics reads them on Linux;
// tests use a fake /proc tree.

#include "services/processes/MemorySnapshot.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zentrel::services {

// The host's CPU time since boot, in ticks of one fixed length.
struct CpuTickCounters {
    std::uint64_t user = 0;
    std::uint64_t system = 0;
    std::uint64_t idle = 0;
    std::uint64_t nice = 0;
};

// What the system tells about one process.
struct TaskInfo {
    std::int64_t residentBytes = 0;
    std::uint64_t cpuTimeNanos = 0;  // user plus system time
    // When the process started, in the system's own units; 0 when unknown.
    std::uint64_t startTime = 0;
};

class SystemStatistics {
public:
    virtual ~SystemStatistics() = default;

    [[nodiscard]] virtual std::int64_t physicalMemory() const = 0;
    // nullopt when the counters cannot be read.
    [[nodiscard]] virtual std::optional<MemoryCounters> memoryCounters() const = 0;
    [[nodiscard]] virtual std::optional<CpuTickCounters> cpuTicks() const = 0;
    [[nodiscard]] virtual int activeProcessorCount() const = 0;

    [[nodiscard]] virtual std::vector<std::int32_t> listPids() const = 0;
    // nullopt for a process that has ended or that this user may not inspect.
    [[nodiscard]] virtual std::optional<TaskInfo> taskInfo(std::int32_t pid) const = 0;
    // The kernel's short name of the process; nullopt when it gives none.
    [[nodiscard]] virtual std::optional<std::string> processName(std::int32_t pid) const = 0;

    // The pid of this program.
    [[nodiscard]] virtual std::int32_t currentPid() const = 0;
};

}  // namespace zentrel::services
