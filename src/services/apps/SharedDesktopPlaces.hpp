#pragma once
// The places of a Linux desktop's home that no one application owns: the
// standard entries of the XDG folders (autostart, applications, the Trash,
// keyrings, dconf, mime and user-dirs files...), the folders another
// application is known by (a browser's profile, an app cache the scan knows)
// and this program's own data. The uninstaller never offers them as an
// application's leftovers, whatever its desktop entry says.

#include "platform/places/HostTable.hpp"

#include <string>

namespace zentrel::services {

// Whether `path` (absolute, normalised) is such a place, or holds one.
[[nodiscard]] bool isSharedDesktopPlace(const platform::HostTable& table, const std::string& path);

// Whether `name`, an entry of one folder, is one of this program's own.
[[nodiscard]] bool isOwnDataName(const std::string& name);

}  // namespace zentrel::services
