#pragma once
// One installed application as the uninstaller lists it.

#include <optional>
#include <string>

namespace zentrel::model {

// The package manager that installed an application, and its name there.
struct PackageOwner {
    enum class Manager { dpkg, flatpak, snap };
    Manager manager = Manager::dpkg;
    std::string package;  // the dpkg package, Flatpak application id or snap name

    // "apt", "Flatpak" or "Snap".
    [[nodiscard]] std::string managerName() const;
    // The command that removes it, e.g. "sudo apt remove inkpad".
    [[nodiscard]] std::string removalCommand() const;

    bool operator==(const PackageOwner&) const = default;
};

struct InstalledApp {
    std::string name;
    std::string bundleID;  // empty when the bundle has none
    std::string path;
    std::string version;
    // Set when a package manager installed it: only the user's own leftovers
    // are offered then, never the package's files.
    std::optional<PackageOwner> package;

    // The bundle identifier, or the path for a bundle without one.
    [[nodiscard]] const std::string& id() const { return bundleID.empty() ? path : bundleID; }

    bool operator==(const InstalledApp&) const = default;
};

}  // namespace zentrel::model
