#include "services/updates/BestValidUpdate.hpp"

namespace zentrel::services {

std::optional<AppcastItem> bestValidUpdate(const std::vector<AppcastItem>& items,
                                           std::string_view currentDisplayVersion, std::string_view currentBuild,
                                           const VersionComparator& comparator) {
    std::optional<AppcastItem> best;
    for (const auto& item : items) {
        const bool displayNotLower = comparator.compare(item.displayVersionString, currentDisplayVersion) >= 0;
        const bool buildHigher = comparator.compare(item.versionString, currentBuild) > 0;
        if (!displayNotLower || !buildHigher) continue;
        if (!best) {
            best = item;
            continue;
        }
        auto order = comparator.compare(best->displayVersionString, item.displayVersionString);
        if (order == 0) order = comparator.compare(best->versionString, item.versionString);
        if (order < 0) best = item;
    }
    return best;
}

}  // namespace zentrel::services
