#include "platform/files/DirectoryWalk.hpp"

#include "platform/files/FileNames.hpp"

#include <algorithm>

namespace zentrel::platform {

namespace {

std::string withoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

}  // namespace

DirectoryWalk::DirectoryWalk(std::string root, WalkOptions options)
    : root_(withoutTrailingSlashes(std::move(root))), options_(options) {}

bool DirectoryWalk::start() {
    FileAttributes rootAttributes;
    auto children = openFolder(nullptr, options_.skipHiddenEntries, &rootAttributes);
    if (!children) return false;
    rootDevice_ = rootAttributes.identity.device;
    push(root_, 0, rootAttributes.identity, std::move(*children));
    return true;
}

void DirectoryWalk::push(std::string path, int depth, FileIdentity identity, std::vector<Child> children) {
    std::sort(children.begin(), children.end(), [](const Child& a, const Child& b) { return a.name < b.name; });
    levels_.push_back(Level{std::move(path), depth, identity, std::move(children), 0});
}

bool DirectoryWalk::isOnCurrentBranch(const FileIdentity& identity) const {
    return std::any_of(levels_.begin(), levels_.end(), [&](const Level& level) { return level.identity == identity; });
}

void DirectoryWalk::enterPendingFolder() {
    enterPending_ = false;
    const WalkEntry& folder = *lastFolder_;
    if (isOnCurrentBranch(folder.attributes.identity)) return;
    auto children = openFolder(&folder, options_.skipHiddenEntries, nullptr);
    if (!children) {
        ++unreadableFolders_;
        return;
    }
    push(folder.path, folder.depth, folder.attributes.identity, std::move(*children));
}

std::optional<WalkEntry> DirectoryWalk::next() {
    if (enterPending_) enterPendingFolder();
    lastFolder_.reset();
    while (!levels_.empty()) {
        Level& level = levels_.back();
        if (level.nextChild == level.children.size()) {
            levels_.pop_back();
            closeFolder();
            continue;
        }
        Child& child = level.children[level.nextChild++];
        if (options_.skipHiddenEntries && isHiddenName(child.name)) continue;
        if (child.attributes.identity.device != rootDevice_) continue;

        WalkEntry entry{appendingPathComponent(level.path, child.name), std::move(child.name), level.depth + 1,
                        child.attributes};
        if (entry.attributes.isDirectory()) {
            enterPending_ = !(options_.skipPackageContents && isPackageName(entry.name));
            lastFolder_ = entry;
        }
        return entry;
    }
    return std::nullopt;
}

}  // namespace zentrel::platform
