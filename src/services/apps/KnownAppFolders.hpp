#pragma once
// Folders that well-known applications keep in the home under names their
// desktop id and program do not give (Firefox's ~/.mozilla, Thunderbird's
// ~/.thunderbird) or that the desktop's shared places reserve for them (a
// browser's profile folder). They are the data of that application as its
// distribution's package installs it: offered with it, and with no other.

#include "model/UninstallItem.hpp"
#include "platform/places/HostTable.hpp"

#include <string>
#include <utility>
#include <vector>

namespace zentrel::services {

// The folders of the application known by one of `names` (its desktop id,
// its package), in table order.
[[nodiscard]] std::vector<std::pair<model::UninstallItemKind, std::string>> knownAppFolders(
    const platform::HostTable& table, const std::vector<std::string>& names);

// Whether `path` is one of the table's folders, of any application.
[[nodiscard]] bool isKnownAppFolder(const platform::HostTable& table, const std::string& path);

}  // namespace zentrel::services
