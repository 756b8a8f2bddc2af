#pragma once
// The launch agents of the user and of the computer, and the largest old
// iCloud Drive files whose local copy could be freed.

#include "engine/CleanerEngine.hpp"
#include "platform/Clock.hpp"
#include "platform/ICloudFileStatus.hpp"

#include <string>

namespace zentrel::engine {

struct ICloudScanLimits {
    std::size_t maxEntries = 3000;
    std::size_t maxItems = 50;
};

[[nodiscard]] CleanerEngine::Items scanStartupItems(CleanerEngine& engine, const std::string& home,
                                                    const std::string& systemRoot);
[[nodiscard]] CleanerEngine::Items scanICloud(CleanerEngine& engine, const std::string& home,
                                              const platform::ICloudFileStatus& status, platform::Date now,
                                              const ICloudScanLimits& limits = {});

void registerStartupAndICloudScanners(CleanerEngine& engine, std::string home, std::string systemRoot,
                                      const platform::ICloudFileStatus& status, const platform::Clock& clock);

}  // namespace zentrel::engine
