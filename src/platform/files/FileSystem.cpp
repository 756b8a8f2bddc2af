#include "platform/files/FileSystem.hpp"

#include <set>
#include <utility>

namespace zentrel::platform {

std::int64_t FileSystem::diskUsage(const std::string& folder, Executor*) const {
    const auto root = attributes(folder);
    auto walk = this->walk(folder, {});
    if (!root || !walk) return 0;
    std::int64_t total = root->allocatedSize;
    std::set<std::pair<std::uint64_t, std::uint64_t>> linked;
    while (auto entry = walk->next()) {
        const auto& attributes = entry->attributes;
        const auto& identity = attributes.identity;
        if (!attributes.isDirectory() && attributes.linkCount > 1 && !linked.emplace(identity.device, identity.inode).second)
            continue;
        total += attributes.allocatedSize;
    }
    return total;
}

}  // namespace zentrel::platform
