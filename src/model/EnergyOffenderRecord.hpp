#pragma once
// One of the day's heaviest applications.

#include <optional>
#include <string>

namespace zentrel::model {

struct EnergyOffenderRecord {
    std::optional<std::string> bundleID;
    std::string name;
    double accumulatedScore = 0.0;  // score times seconds, over the day

    // The bundle identifier, else the name.
    [[nodiscard]] const std::string& id() const { return bundleID ? *bundleID : name; }

    bool operator==(const EnergyOffenderRecord&) const = default;
};

}  // namespace zentrel::model
