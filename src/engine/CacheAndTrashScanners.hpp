#pragma once
// The app-cache, system-cache and Trash-and-Downloads categories: a fixed
// table of application caches and logs, the large entries of the user's
// caches folder with the logs folder as one item, and the Trash with the
// large old entries of Downloads.

#include "engine/CleanerEngine.hpp"
#include "platform/Clock.hpp"

#include <string>

namespace zentrel::engine {

[[nodiscard]] CleanerEngine::Items scanAppCaches(CleanerEngine& engine, const std::string& home);
[[nodiscard]] CleanerEngine::Items scanSystemCaches(CleanerEngine& engine, const std::string& home);
// `now` sets the 30-day cutoff of old downloads.
[[nodiscard]] CleanerEngine::Items scanTrashAndDownloads(CleanerEngine& engine, const std::string& home,
                                                         platform::Date now);

void registerCacheAndTrashScanners(CleanerEngine& engine, std::string home, const platform::Clock& clock);

}  // namespace zentrel::engine
