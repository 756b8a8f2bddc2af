#pragma once
// One reading of one process, kept by callers to compute CPU percent from two
// readings.

#include <cstdint>
#include <unordered_map>

namespace zentrel::services {

struct ProcessSample {
    std::int32_t pid = 0;
    std::int64_t residentBytes = 0;
    // User plus system CPU time since the process started.
    std::uint64_t cpuTimeNanos = 0;
    // With the pid, which process this is; 0 when unknown.
    std::uint64_t startTime = 0;

    bool operator==(const ProcessSample&) const = default;
};

using ProcessMap = std::unordered_map<std::int32_t, ProcessSample>;

}  // namespace zentrel::services
