#pragma once
// Reads the machine's memory, the host CPU ticks and every process's resident
// memory and CPU time, joins them with the running applications, and quits
// applications. It keeps nothing between calls: callers keep two samples
// themselves to compute rates. Every call is synchronous and returns at once;
// none waits for a process to end.

#include "platform/concurrency/Clock.hpp"
#include "services/processes/BoostProcess.hpp"
#include "services/processes/MemorySnapshot.hpp"
#include "services/processes/ProcessSample.hpp"
#include "services/processes/RunningApplication.hpp"
#include "services/processes/SystemStatistics.hpp"
#include "services/processes/Workspace.hpp"

#include <optional>
#include <unordered_map>
#include <vector>

namespace zentrel::services {

// The host's busy and total CPU ticks since boot.
struct CpuLoadTicks {
    std::uint64_t busy = 0;
    std::uint64_t total = 0;

    bool operator==(const CpuLoadTicks&) const = default;
};

using RunningApplicationMap = std::unordered_map<std::int32_t, RunningApplication>;

class ProcessSampler final {
public:
    ProcessSampler(SystemStatistics& statistics, Workspace& workspace, const platform::Clock& clock);
    ProcessSampler(const ProcessSampler&) = delete;
    ProcessSampler& operator=(const ProcessSampler&) = delete;

    [[nodiscard]] MemorySnapshot readMemorySnapshot() const;
    // nullopt when the host's counters cannot be read.
    [[nodiscard]] std::optional<CpuLoadTicks> sampleCPULoadTicks() const;
    // Every process this user may inspect; pid 0 is never in it.
    [[nodiscard]] ProcessMap sampleAllProcesses() const;
    [[nodiscard]] RunningApplicationMap runningAppsByPID() const;
    [[nodiscard]] std::optional<std::string> appIcon(std::int32_t pid) const;
    // The kernel's name of the process, or "PID " and the number.
    [[nodiscard]] std::string processName(std::int32_t pid) const;

    // The running applications other than this program, largest resident
    // memory first, with CPU percent 0.
    [[nodiscard]] std::vector<BoostProcess> listBoostProcesses(std::size_t limit) const;

    // Asks the application with this pid to quit (or with `force`, ends it).
    // false when no running application has the pid; true when it has ended
    // already or the request was delivered.
    bool terminateProcess(std::int32_t pid, bool force);
    // Asks exactly these rows to quit, in order, never forced; returns how
    // many requests were delivered. Used with a list the user confirmed: a
    // row whose pid now runs under another name, identifier or start time is
    // skipped.
    int quitProcesses(const std::vector<BoostProcess>& confirmed);

    [[nodiscard]] int activeProcessorCount() const { return statistics_.activeProcessorCount(); }
    [[nodiscard]] std::int32_t currentPid() const { return statistics_.currentPid(); }
    [[nodiscard]] bool knowsActiveApplication() const { return workspace_.knowsActiveApplication(); }
    [[nodiscard]] std::int64_t physicalMemory() const { return statistics_.physicalMemory(); }
    [[nodiscard]] const platform::Clock& clock() const { return clock_; }

private:
    SystemStatistics& statistics_;
    Workspace& workspace_;
    const platform::Clock& clock_;
};

}  // namespace zentrel::services
