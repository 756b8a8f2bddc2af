#pragma once
// Reads the text values at the top level of a property-list file (XML or
// binary), such as a simulator's "device.plist" or a backup's "Info.plist".

#include "platform/FileSystem.hpp"

#include <map>
#include <optional>
#include <string>

namespace zentrel::engine {

// The top-level keys whose values are texts; nullopt when the file is
// missing, unreadable or not a dictionary.
[[nodiscard]] std::optional<std::map<std::string, std::string>> readPropertyListStrings(
    const platform::FileSystem& fileSystem, const std::string& path);

}  // namespace zentrel::engine
