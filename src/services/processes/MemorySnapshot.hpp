#pragma once
// The machine's memory at one moment, in bytes, and how hard-pressed it is.
// The Boost screen, the menu-bar icon and the energy ranking read it.

#include <cstdint>
#include <optional>

namespace zentrel::services {

enum class MemoryPressure { normal, warning, critical };

// The one pressure rule, from the used and compressed shares of memory:
// critical above 88 % used or 25 % compressed, warning above 72 % or 12 %.
[[nodiscard]] MemoryPressure classifyMemoryPressure(double usedFraction, double compressedFraction);

// The host's memory counters, in bytes, as the system reports them.
struct MemoryCounters {
    std::int64_t free = 0;
    std::int64_t wired = 0;       // held by the kernel, never paged out
    std::int64_t compressed = 0;  // held by the memory compressor
    std::int64_t fileBacked = 0;  // page cache
    std::int64_t anonymous = 0;   // process memory not backed by a file
    std::int64_t purgeable = 0;   // anonymous memory the system may drop at will

    bool operator==(const MemoryCounters&) const = default;
};

struct MemorySnapshot {
    std::int64_t total = 0;
    std::int64_t used = 0;
    std::int64_t free = 0;
    std::int64_t wired = 0;
    std::int64_t compressed = 0;
    std::int64_t app = 0;
    std::int64_t cached = 0;

    bool operator==(const MemorySnapshot&) const = default;

    // Builds a snapshot from the physical memory size and the counters; without
    // counters everything counts as free.
    [[nodiscard]] static MemorySnapshot from(std::int64_t total, const std::optional<MemoryCounters>& counters);

    [[nodiscard]] MemoryPressure pressure() const;
    // The tray icon's reading: the used share is capped at 1 first.
    [[nodiscard]] MemoryPressure iconPressure() const;
};

}  // namespace zentrel::services
