#pragma once
// The app-cache, system-cache and Trash-and-Downloads categories: a fixed
// table of application caches and logs, the large entries of the user's
// caches folder with the logs folder as one item, and the Trash with the
// large old entries of Downloads.

#include "engine/CleanerEngine.hpp"
#include "platform/concurrency/Clock.hpp"
#include "platform/places/HostTable.hpp"

#include <string>

namespace zentrel::engine {

[[nodiscard]] CleanerEngine::Items scanAppCaches(CleanerEngine& engine, const platform::HostTable& table);
// The user's caches folder, then the shared ones, where only what the user
// may delete is offered; then the logs folder.
[[nodiscard]] CleanerEngine::Items scanSystemCaches(CleanerEngine& engine, const platform::HostTable& table);
// `now` sets the 30-day cutoff of old downloads.
[[nodiscard]] CleanerEngine::Items scanTrashAndDownloads(CleanerEngine& engine, const platform::HostTable& table,
                                                         platform::Date now);

void registerCacheAndTrashScanners(CleanerEngine& engine, const platform::HostTable& table,
                                   const platform::Clock& clock);

}  // namespace zentrel::engine
