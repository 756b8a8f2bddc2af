#pragma once
// CPU percent of a process between two readings of the same pid.

#include "services/processes/ProcessSample.hpp"

namespace zentrel::services {

// The CPU time spent between the readings over the elapsed time (at least
// 1 ns), times 100, capped at processorCount x 100. 0 without an earlier
// reading, and 0 when the counter went back (the pid now names another
// process).
[[nodiscard]] double cpuPercent(const ProcessSample* previous, const ProcessSample& current, double elapsedNanos,
                                int processorCount);

}  // namespace zentrel::services
