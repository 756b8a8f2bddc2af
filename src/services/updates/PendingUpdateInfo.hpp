#pragma once
// The update that the update banner offers.

#include <string>

namespace zentrel::services {

struct PendingUpdateInfo {
    std::string displayVersion;
    std::string buildVersion;

    [[nodiscard]] const std::string& id() const { return displayVersion; }
    friend bool operator==(const PendingUpdateInfo&, const PendingUpdateInfo&) = default;
};

}  // namespace zentrel::services
