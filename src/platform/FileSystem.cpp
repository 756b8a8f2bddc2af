#include "platform/FileSystem.hpp"

#include "platform/FileNames.hpp"

namespace zentrel::platform {

ContentsRemoval FileSystem::removeContents(const std::string& folder, ListingOptions options) {
    ContentsRemoval result;
    auto names = contentsOfDirectory(folder, options);
    if (!names) return result;
    result.listed = true;
    for (const auto& name : *names) {
        auto path = appendingPathComponent(folder, name);
        if (auto error = removeItem(path)) {
            result.failures.emplace_back(std::move(path), error);
        } else {
            ++result.removedCount;
        }
    }
    return result;
}

}  // namespace zentrel::platform
