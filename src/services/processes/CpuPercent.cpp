#include "services/processes/CpuPercent.hpp"

#include <algorithm>

namespace zentrel::services {

double cpuPercent(const ProcessSample* previous, const ProcessSample& current, double elapsedNanos,
                  int processorCount) {
    if (previous == nullptr || current.cpuTimeNanos < previous->cpuTimeNanos) return 0;
    const double spent = static_cast<double>(current.cpuTimeNanos - previous->cpuTimeNanos);
    const double percent = spent / std::max(elapsedNanos, 1.0) * 100.0;
    return std::min(percent, static_cast<double>(std::max(processorCount, 1)) * 100.0);
}

}  // namespace zentrel::services
