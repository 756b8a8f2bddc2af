#pragma once
// Reads text values at the top level of a property-list file (XML or
// binary), such as a simulator's "device.plist" or a backup's "Info.plist".

#include "platform/files/FileSystem.hpp"

#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace zentrel::engine {

// The named top-level keys whose values are texts; nullopt when the file is
// missing, unreadable or not a dictionary. A value holding a NUL is no text
// and is left out.
[[nodiscard]] std::optional<std::map<std::string, std::string>> readPropertyListStrings(
    const platform::FileSystem& fileSystem, const std::string& path, std::initializer_list<std::string_view> keys);

}  // namespace zentrel::engine
