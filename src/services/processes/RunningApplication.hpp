#pragma once
// One running application as the workspace knows it.

#include <cstdint>
#include <optional>
#include <string>

namespace zentrel::services {

struct RunningApplication {
    std::int32_t processIdentifier = 0;
    std::optional<std::string> localizedName;
    std::optional<std::string> bundleIdentifier;
    // An icon name of the desktop's icon theme, or the path of an icon file.
    std::optional<std::string> icon;
    bool isActive = false;  // the frontmost application
    bool isTerminated = false;
    // With the pid, which process this is; 0 when unknown.
    std::uint64_t startTime = 0;

    bool operator==(const RunningApplication&) const = default;
};

}  // namespace zentrel::services
