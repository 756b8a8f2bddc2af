#pragma once
// One installed application as the uninstaller lists it.

#include <string>

namespace zentrel::model {

struct InstalledApp {
    std::string name;
    std::string bundleID;  // empty when the bundle has none
    std::string path;
    std::string version;

    // The bundle identifier, or the path for a bundle without one.
    [[nodiscard]] const std::string& id() const { return bundleID.empty() ? path : bundleID; }

    bool operator==(const InstalledApp&) const = default;
};

}  // namespace zentrel::model
