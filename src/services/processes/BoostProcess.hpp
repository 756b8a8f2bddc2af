#pragma once
// One row of a process list: the Boost screen and the menu bar's memory section.

#include <cstdint>
#include <optional>
#include <string>

namespace zentrel::services {

struct BoostProcess {
    std::int32_t pid = 0;
    std::string name;
    std::optional<std::string> bundleID;
    std::int64_t residentBytes = 0;
    double cpuPercent = 0;  // of one core, so it may exceed 100
    bool isApp = false;     // a running application known to the workspace
    bool isActive = false;  // that application is the frontmost one
    bool isCurrentApp = false;
    // With the pid, which process the row shows; 0 when unknown.
    std::uint64_t startTime = 0;

    bool operator==(const BoostProcess&) const = default;
};

}  // namespace zentrel::services
