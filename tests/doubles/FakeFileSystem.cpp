#include "doubles/FakeFileSystem.hpp"

#include "platform/files/FileNames.hpp"

#include <algorithm>

namespace zentrel::testing {

using platform::FileAttributes;
using platform::FileType;

namespace {

std::string normalized(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

std::string parentOf(const std::string& path) {
    auto slash = path.rfind('/');
    if (slash == std::string::npos || slash == 0) return "/";
    return path.substr(0, slash);
}

std::error_code error(std::errc code) { return std::make_error_code(code); }

}  // namespace

// Walks the nodes below a folder by path; the rules of the walk are the base
// class's, shared with the real backend.
class FakeDirectoryWalk final : public platform::DirectoryWalk {
public:
    FakeDirectoryWalk(const FakeFileSystem& fs, std::string root, platform::WalkOptions options)
        : DirectoryWalk(std::move(root), options), fs_(fs) {}
    using DirectoryWalk::start;

protected:
    std::optional<std::vector<Child>> openFolder(const platform::WalkEntry* folder, bool skipHidden,
                                                 FileAttributes* rootAttributes) override {
        std::lock_guard lock(fs_.mutex_);
        std::string path;
        if (folder == nullptr) {
            auto resolved = fs_.resolve(normalized(root()));
            if (!resolved) return std::nullopt;
            path = *resolved;
        } else {
            path = platform::appendingPathComponent(open_.back(), folder->name);
        }
        const auto* node = fs_.present(path);
        if (node == nullptr || !node->attributes.isDirectory() || node->unreadable) return std::nullopt;
        if (rootAttributes != nullptr) *rootAttributes = node->attributes;
        std::vector<Child> children;
        for (const auto& name : fs_.childNames(path)) {
            if (skipHidden && platform::isHiddenName(name)) continue;
            if (const auto* child = fs_.present(platform::appendingPathComponent(path, name)))
                children.push_back(Child{name, child->attributes});
        }
        open_.push_back(path);
        return children;
    }

    void closeFolder() override { open_.pop_back(); }

private:
    const FakeFileSystem& fs_;
    std::vector<std::string> open_;
};

FakeFileSystem::FakeFileSystem() { put("/", FileType::directory); }

FakeFileSystem::Node& FakeFileSystem::put(const std::string& path, FileType type) {
    auto& node = nodes_[path];
    node = Node{};
    node.attributes.type = type;
    node.attributes.identity = {1, nextInode_++};
    node.attributes.modificationDate = platform::Date::fromTimeIntervalSince1970(1'600'000'000.0);
    return node;
}

void FakeFileSystem::ensureParents(const std::string& path) {
    std::string parent = parentOf(path);
    if (parent == path || find(parent) != nullptr) return;
    ensureParents(parent);
    auto& node = put(parent, FileType::directory);
    node.attributes.size = 4096;  // folders take no blocks, as on a memory file system
}

void FakeFileSystem::addFile(const std::string& rawPath, FileSpec file) {
    std::lock_guard lock(mutex_);
    auto path = normalized(rawPath);
    ensureParents(path);
    auto& node = put(path, FileType::regular);
    if (file.size == 0) file.size = static_cast<std::int64_t>(file.contents.size());
    node.attributes.size = file.size;
    node.attributes.allocatedSize = file.allocatedSize.value_or((file.size + 4095) / 4096 * 4096);
    node.attributes.modificationDate = file.modified;
    node.contents = std::move(file.contents);
}

void FakeFileSystem::addTextFile(const std::string& path, std::string contents) {
    addFile(path, FileSpec{.contents = std::move(contents)});
}

void FakeFileSystem::addDirectory(const std::string& rawPath, platform::Date modified) {
    std::lock_guard lock(mutex_);
    auto path = normalized(rawPath);
    ensureParents(path);
    auto& node = put(path, FileType::directory);
    node.attributes.size = 4096;  // folders take no blocks, as on a memory file system
    node.attributes.modificationDate = modified;
}

void FakeFileSystem::addSymlink(const std::string& rawPath, const std::string& target) {
    std::lock_guard lock(mutex_);
    auto path = normalized(rawPath);
    ensureParents(path);
    auto& node = put(path, FileType::symbolicLink);
    node.linkTarget = target;
    node.attributes.size = static_cast<std::int64_t>(target.size());
}

void FakeFileSystem::setModificationDate(const std::string& path, platform::Date date) {
    std::lock_guard lock(mutex_);
    if (auto* node = find(path)) node->attributes.modificationDate = date;
}

void FakeFileSystem::makeUnreadable(const std::string& path) {
    std::lock_guard lock(mutex_);
    if (auto* node = find(path)) node->unreadable = true;
}

void FakeFileSystem::makeVanished(const std::string& path) {
    std::lock_guard lock(mutex_);
    if (auto* node = find(path)) node->vanished = true;
}

void FakeFileSystem::refuseChanges(const std::string& path, std::errc code) {
    std::lock_guard lock(mutex_);
    if (auto* node = find(path)) node->refusal = code;
}

void FakeFileSystem::setDevice(const std::string& path, std::uint64_t device) {
    std::lock_guard lock(mutex_);
    for (const auto& key : subtree(normalized(path))) nodes_[key].attributes.identity.device = device;
}

void FakeFileSystem::shareIdentity(const std::string& path, const std::string& original) {
    std::lock_guard lock(mutex_);
    auto* node = find(path);
    const auto* source = find(original);
    if (node != nullptr && source != nullptr) node->attributes.identity = source->attributes.identity;
}

void FakeFileSystem::onNextListing(const std::string& path, std::function<void()> hook) {
    std::lock_guard lock(mutex_);
    listingHooks_[normalized(path)] = std::move(hook);
}

void FakeFileSystem::runListingHook(const std::string& path) const {
    auto found = listingHooks_.find(normalized(path));
    if (found == listingHooks_.end()) return;
    auto hook = std::move(found->second);
    listingHooks_.erase(found);
    hook();
}

std::optional<std::string> FakeFileSystem::folderWithIdentity(const platform::FileIdentity& identity) const {
    for (const auto& [path, node] : nodes_) {
        if (node.attributes.isDirectory() && node.attributes.identity == identity && !node.vanished) return path;
    }
    return std::nullopt;
}

const FakeFileSystem::Node* FakeFileSystem::find(const std::string& path) const {
    auto found = nodes_.find(normalized(path));
    return found == nodes_.end() ? nullptr : &found->second;
}

FakeFileSystem::Node* FakeFileSystem::find(const std::string& path) {
    auto found = nodes_.find(normalized(path));
    return found == nodes_.end() ? nullptr : &found->second;
}

// The entry at the path, with links in the folders above it followed.
const FakeFileSystem::Node* FakeFileSystem::present(const std::string& rawPath) const {
    auto path = normalized(rawPath);
    const auto* node = find(path);
    if (node == nullptr && path != "/") {
        auto parent = resolve(parentOf(path));
        if (parent) node = find(platform::appendingPathComponent(*parent, platform::lastPathComponent(path)));
    }
    return node != nullptr && !node->vanished ? node : nullptr;
}

// Follows links in every component, as the real file system does.
std::optional<std::string> FakeFileSystem::resolve(const std::string& path) const {
    if (path.empty() || path.front() != '/') return std::nullopt;
    std::string pending = path;
    for (int hops = 0; hops < 40; ++hops) {
        std::string current;
        bool followedLink = false;
        std::size_t start = 1;
        while (start <= pending.size()) {
            auto end = pending.find('/', start);
            if (end == std::string::npos) end = pending.size();
            auto part = pending.substr(start, end - start);
            start = end + 1;
            if (part.empty() || part == ".") continue;
            if (part == "..") {
                current = current.empty() ? "" : parentOf(current);
                if (current == "/") current.clear();
                continue;
            }
            current += "/" + part;
            const auto* node = present(current);
            if (node == nullptr) return std::nullopt;
            if (node->attributes.type == FileType::symbolicLink) {
                std::string target = node->linkTarget.starts_with("/")
                                         ? node->linkTarget
                                         : parentOf(current) + "/" + node->linkTarget;
                pending = target + (start <= pending.size() ? "/" + pending.substr(start) : "");
                followedLink = true;
                break;
            }
        }
        if (!followedLink) return current.empty() ? "/" : current;
    }
    return std::nullopt;
}

std::vector<std::string> FakeFileSystem::childNames(const std::string& folder) const {
    std::string prefix = folder == "/" ? "/" : folder + "/";
    std::vector<std::string> names;
    for (auto it = nodes_.lower_bound(prefix); it != nodes_.end() && it->first.starts_with(prefix); ++it) {
        auto rest = it->first.substr(prefix.size());
        if (!rest.empty() && rest.find('/') == std::string::npos) names.push_back(rest);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> FakeFileSystem::subtree(const std::string& path) const {
    std::vector<std::string> keys;
    if (nodes_.count(path) != 0) keys.push_back(path);
    std::string prefix = path == "/" ? "/" : path + "/";
    for (auto it = nodes_.lower_bound(prefix); it != nodes_.end() && it->first.starts_with(prefix); ++it)
        if (it->first != path) keys.push_back(it->first);
    return keys;
}

bool FakeFileSystem::exists(const std::string& path) const {
    std::lock_guard lock(mutex_);
    return present(path) != nullptr;
}

std::optional<FileAttributes> FakeFileSystem::attributes(const std::string& path) const {
    std::lock_guard lock(mutex_);
    const auto* node = present(path);
    if (node == nullptr) return std::nullopt;
    return node->attributes;
}

std::optional<FileAttributes> FakeFileSystem::resolvedAttributes(const std::string& path) const {
    std::lock_guard lock(mutex_);
    auto resolved = resolve(normalized(path));
    if (!resolved) return std::nullopt;
    return present(*resolved)->attributes;
}

std::optional<std::string> FakeFileSystem::realPath(const std::string& path) const {
    std::lock_guard lock(mutex_);
    return resolve(normalized(path));
}

std::optional<std::vector<std::string>> FakeFileSystem::contentsOfDirectory(const std::string& path,
                                                                            platform::ListingOptions options) const {
    std::lock_guard lock(mutex_);
    auto resolved = resolve(normalized(path));
    if (!resolved) return std::nullopt;
    const auto* node = present(*resolved);
    if (!node->attributes.isDirectory() || node->unreadable) return std::nullopt;
    auto names = childNames(*resolved);
    if (options.skipHiddenEntries) std::erase_if(names, [](const std::string& n) { return platform::isHiddenName(n); });
    runListingHook(path);
    return names;
}

std::unique_ptr<platform::DirectoryWalk> FakeFileSystem::walk(const std::string& root,
                                                              platform::WalkOptions options) const {
    auto walk = std::make_unique<FakeDirectoryWalk>(*this, root, options);
    if (!walk->start()) return nullptr;
    return walk;
}

std::optional<std::string> FakeFileSystem::readFile(const std::string& path, std::size_t maxBytes) const {
    std::lock_guard lock(mutex_);
    auto resolved = resolve(normalized(path));
    if (!resolved) return std::nullopt;
    const auto* node = present(*resolved);
    if (!node->attributes.isRegularFile() || node->unreadable) return std::nullopt;
    if (node->contents.size() > maxBytes) return std::nullopt;
    return node->contents;
}

std::error_code FakeFileSystem::removeItem(const std::string& rawPath) {
    std::lock_guard lock(mutex_);
    auto path = normalized(rawPath);
    if (present(path) == nullptr) return error(std::errc::no_such_file_or_directory);
    // Deepest first, like the real removal: a refused entry and the folders
    // above it stay, everything else goes.
    auto keys = subtree(path);
    std::sort(keys.begin(), keys.end(), std::greater<>());
    std::error_code first;
    std::vector<std::string> kept;
    for (const auto& key : keys) {
        const auto& node = nodes_.at(key);
        bool keepsChild = std::any_of(kept.begin(), kept.end(), [&](const std::string& k) {
            return k.starts_with(key + "/");
        });
        if (node.refusal && !first) first = error(*node.refusal);
        if (node.refusal || keepsChild) {
            kept.push_back(key);
            continue;
        }
        nodes_.erase(key);
    }
    return first;
}

std::error_code FakeFileSystem::truncateFile(const std::string& path) {
    std::lock_guard lock(mutex_);
    auto* node = find(path);
    if (node == nullptr || node->vanished) return error(std::errc::no_such_file_or_directory);
    if (node->refusal) return error(*node->refusal);
    if (!node->attributes.isRegularFile()) return error(std::errc::invalid_argument);
    node->contents.clear();
    node->attributes.size = node->attributes.allocatedSize = 0;
    return {};
}

std::error_code FakeFileSystem::moveItem(const std::string& rawFrom, const std::string& rawTo) {
    std::lock_guard lock(mutex_);
    auto from = normalized(rawFrom);
    auto to = normalized(rawTo);
    const auto* node = present(from);
    if (node == nullptr) return error(std::errc::no_such_file_or_directory);
    if (node->refusal) return error(*node->refusal);
    if (find(to) != nullptr) return error(std::errc::file_exists);
    if (present(parentOf(to)) == nullptr) return error(std::errc::no_such_file_or_directory);
    for (const auto& key : subtree(from)) {
        auto moved = nodes_.extract(key);
        moved.key() = to + key.substr(from.size());
        nodes_.insert(std::move(moved));
    }
    return {};
}

std::error_code FakeFileSystem::copyFile(const std::string& rawFrom, const std::string& rawTo) {
    std::lock_guard lock(mutex_);
    auto to = normalized(rawTo);
    const auto* node = present(normalized(rawFrom));
    if (node == nullptr) return error(std::errc::no_such_file_or_directory);
    if (!node->attributes.isRegularFile()) return error(std::errc::invalid_argument);
    if (node->unreadable) return error(std::errc::permission_denied);
    if (find(to) != nullptr) return error(std::errc::file_exists);
    if (present(parentOf(to)) == nullptr) return error(std::errc::no_such_file_or_directory);
    Node copy = *node;
    copy.refusal.reset();
    copy.attributes.identity = {copy.attributes.identity.device, nextInode_++};
    nodes_[to] = std::move(copy);
    return {};
}

platform::ContentsRemoval FakeFileSystem::removeContents(const std::string& folder, platform::ListingOptions options,
                                                        const platform::BeforeRemoval& beforeRemoving) {
    std::lock_guard lock(mutex_);
    platform::ContentsRemoval result;
    const auto* node = present(folder);
    if (node == nullptr || !node->attributes.isDirectory() || node->unreadable) return result;
    const auto identity = node->attributes.identity;
    auto names = childNames(*folderWithIdentity(identity));
    if (options.skipHiddenEntries) std::erase_if(names, [](const std::string& n) { return platform::isHiddenName(n); });
    result.listed = true;
    runListingHook(folder);
    for (const auto& name : names) {
        const auto where = folderWithIdentity(identity);
        const auto path = platform::appendingPathComponent(where.value_or(normalized(folder)), name);
        if (beforeRemoving) beforeRemoving(path);
        auto failure = error(std::errc::no_such_file_or_directory);
        if (where) {
            failure = removeItem(path);
            if (failure == std::errc::no_such_file_or_directory) failure.clear();  // already gone
        }
        if (failure) {
            result.failures.emplace_back(path, failure);
        } else {
            result.removed.push_back(path);
        }
    }
    return result;
}

std::error_code FakeFileSystem::createDirectories(const std::string& rawPath) {
    std::lock_guard lock(mutex_);
    auto path = normalized(rawPath);
    if (const auto* node = present(path)) {
        return node->attributes.isDirectory() ? std::error_code() : error(std::errc::not_a_directory);
    }
    ensureParents(path);
    auto& node = put(path, FileType::directory);
    node.attributes.size = 4096;  // folders take no blocks, as on a memory file system
    return {};
}

}  // namespace zentrel::testing
