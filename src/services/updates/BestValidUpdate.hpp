#pragma once
// Picks the release to offer from a feed's items. A candidate's display
// version is not below the app's and its version string is strictly above the
// app's build. Of several, the highest display version wins, then the highest
// version string; among equals the earliest in the feed.

#include "services/updates/AppcastItem.hpp"
#include "services/updates/VersionComparator.hpp"

#include <optional>
#include <string_view>
#include <vector>

namespace zentrel::services {

[[nodiscard]] std::optional<AppcastItem> bestValidUpdate(const std::vector<AppcastItem>& items,
                                                         std::string_view currentDisplayVersion,
                                                         std::string_view currentBuild,
                                                         const VersionComparator& comparator);

}  // namespace zentrel::services
