#include "services/processes/MemorySnapshot.hpp"

#include <algorithm>

namespace zentrel::services {

MemorySnapshot MemorySnapshot::from(std::int64_t total, const std::optional<MemoryCounters>& counters) {
    MemorySnapshot snapshot;
    snapshot.total = total;
    if (!counters) {
        snapshot.free = total;
        return snapshot;
    }
    snapshot.free = counters->free;
    snapshot.wired = counters->wired;
    snapshot.compressed = counters->compressed;
    snapshot.cached = counters->fileBacked;
    snapshot.app = std::max<std::int64_t>(counters->anonymous - counters->purgeable, 0);
    snapshot.used = std::max<std::int64_t>(snapshot.app + snapshot.wired + snapshot.compressed, 0);
    return snapshot;
}

MemoryPressure classifyMemoryPressure(double usedFraction, double compressedFraction) {
    if (usedFraction > 0.88 || compressedFraction > 0.25) return MemoryPressure::critical;
    if (usedFraction > 0.72 || compressedFraction > 0.12) return MemoryPressure::warning;
    return MemoryPressure::normal;
}

MemoryPressure MemorySnapshot::pressure() const {
    if (total < 1) return MemoryPressure::normal;
    return classifyMemoryPressure(static_cast<double>(used) / static_cast<double>(total),
                                  static_cast<double>(compressed) / static_cast<double>(total));
}

MemoryPressure MemorySnapshot::iconPressure() const {
    if (total < 1) return MemoryPressure::normal;
    const double usedFraction = std::clamp(static_cast<double>(used) / static_cast<double>(total), 0.0, 1.0);
    return classifyMemoryPressure(usedFraction, static_cast<double>(compressed) / static_cast<double>(total));
}

}  // namespace zentrel::services
