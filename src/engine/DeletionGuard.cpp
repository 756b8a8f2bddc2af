#include "engine/DeletionGuard.hpp"

#include "platform/text/Localization.hpp"

#include <array>
#include <string_view>

namespace zentrel::engine {
namespace {

// "/a/b/" -> "/a/b"; "/" stays.
std::string withoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

bool hasDotComponent(std::string_view path) {
    std::size_t start = 0;
    while (start <= path.size()) {
        const auto end = std::min(path.find('/', start), path.size());
        const auto component = path.substr(start, end - start);
        if (component == "." || component == "..") return true;
        start = end + 1;
    }
    return false;
}

// The part of `path` below `root`, without the leading "/"; none when
// `path` is not strictly inside `root`.
std::optional<std::string_view> below(std::string_view root, std::string_view path) {
    if (root.empty()) return std::nullopt;
    if (root == "/") {
        if (path.size() < 2 || path.front() != '/') return std::nullopt;
        return path.substr(1);
    }
    if (path.size() <= root.size() + 1 || path.substr(0, root.size()) != root || path[root.size()] != '/') {
        return std::nullopt;
    }
    return path.substr(root.size() + 1);
}

}  // namespace

DeletionGuard::DeletionGuard(const platform::FileSystem& fileSystem, const platform::HostTable& table,
                             const std::vector<std::string>& furtherLocations)
    : fileSystem_(fileSystem), home_(withoutTrailingSlashes(table.home)), systemRoot_(withoutTrailingSlashes(table.systemRoot)) {
    for (const auto& folder : table.protectedFolders) protectedFolders_.push_back(withoutTrailingSlashes(folder));
    for (const auto& location : table.systemLocations) {
        if (!location.path.empty()) systemLocations_.push_back({withoutTrailingSlashes(location.path), location.mayBeEmptied});
    }
    for (const auto& folder : furtherLocations) {
        if (!folder.empty()) systemLocations_.push_back({withoutTrailingSlashes(folder), false});
    }
}

std::optional<std::string> DeletionGuard::refusal(const std::string& rawPath, Use use) const {
    using platform::localized;
    using platform::localizedFormat;
    if (rawPath.empty()) return localized("The item has no file to delete.");
    if (rawPath.front() != '/') return localizedFormat("The path \"%@\" is not absolute.", {rawPath});
    if (hasDotComponent(rawPath)) return localizedFormat("The path \"%@\" contains \".\" or \"..\".", {rawPath});
    if (rawPath.find("//") != std::string::npos) return localizedFormat("The path \"%@\" is not plain.", {rawPath});
    const auto path = withoutTrailingSlashes(rawPath);
    if (path == "/") return localized("The root folder is never deleted.");
    if (path == home_) return localized("The home folder is never deleted.");
    if (!systemRoot_.empty() && path == systemRoot_) return localized("The system root is never deleted.");
    for (const auto& folder : protectedFolders_) {
        if (path == folder) {
            return localizedFormat("The folder \"%@\" is one of your main folders and is never deleted.", {path});
        }
    }

    if (below(home_, path)) return linkOnTheWay(home_, path, use);
    for (const auto& location : systemLocations_) {
        if (below(location.path, path)) return linkOnTheWay(location.path, path, use);
        // A volume's Trash is emptied in place, never removed.
        if (location.mayBeEmptied && use == Use::changeInPlace && path == location.path) {
            const auto parent = path.substr(0, std::max<std::size_t>(path.rfind('/'), 1));
            return linkOnTheWay(parent, path, use);
        }
    }
    return platform::localizedFormat("The path \"%@\" lies outside the home folder.", {path});
}

std::optional<std::string> DeletionGuard::linkOnTheWay(const std::string& root, const std::string& path,
                                                       Use use) const {
    // Every folder between the root and the entry must be a real folder. One
    // that is missing means the entry is gone too, which is no danger.
    for (auto slash = path.find('/', root == "/" ? 1 : root.size() + 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        const auto folder = path.substr(0, slash);
        const auto attributes = fileSystem_.attributes(folder);
        if (!attributes) return std::nullopt;
        if (attributes->type != platform::FileType::directory) {
            return platform::localizedFormat(
                "The folder \"%@\" on the way to the item is no longer a folder (it may have been replaced by a link).",
                {folder});
        }
    }
    if (use == Use::changeInPlace) {
        const auto attributes = fileSystem_.attributes(path);
        if (attributes && attributes->type == platform::FileType::symbolicLink) {
            return platform::localizedFormat("\"%@\" has been replaced by a link.", {path});
        }
    }
    return std::nullopt;
}

}  // namespace zentrel::engine
