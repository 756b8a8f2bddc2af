#pragma once
// Which package manager installed an application, from the place of its
// desktop entry: an entry that one of dpkg's file lists names belongs to that
// package; one exported by Flatpak (the system's or the user's installation)
// or by Snap belongs to that install. Only the user's own files of such an
// application are the uninstaller's to remove; the package manager removes
// the rest.

#include "model/InstalledApp.hpp"
#include "platform/files/FileSystem.hpp"
#include "platform/places/HostTable.hpp"

#include <map>
#include <optional>
#include <string>

namespace zentrel::services {

class PackageOwnership final {
public:
    // Reads the table's dpkg file lists once.
    PackageOwnership(const platform::FileSystem& fileSystem, const platform::HostTable& table);

    // The package that holds the desktop entry at `entryPath` (`desktopID`
    // without ".desktop"), if any.
    [[nodiscard]] std::optional<model::PackageOwner> ownerOf(const std::string& entryPath,
                                                             const std::string& desktopID) const;

private:
    const platform::HostTable& table_;
    std::map<std::string, std::string, std::less<>> dpkgOwners_;  // entry path below the root -> package
};

}  // namespace zentrel::services
