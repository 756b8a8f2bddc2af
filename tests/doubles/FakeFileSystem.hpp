#pragma once
// A file system held in memory, for sizes, dates and failures that a real
// disk or a CI run as root cannot produce: folders that cannot be read,
// entries that vanish between listing and reading, removals that are refused,
// files of terabytes, chosen modification dates, mounts and loops. Paths are
// absolute; parents are created on the way.

#include "platform/files/FileSystem.hpp"

#include <functional>
#include <map>
#include <mutex>

namespace zentrel::testing {

class FakeFileSystem final : public platform::FileSystem {
public:
    struct FileSpec {
        std::int64_t size = 0;
        // Defaults to the size rounded up to whole 4096-byte blocks.
        std::optional<std::int64_t> allocatedSize;
        platform::Date modified = platform::Date::fromTimeIntervalSince1970(1'600'000'000.0);
        std::string contents;
    };

    FakeFileSystem();

    // Adds (or replaces) a file; its size is the contents' length unless given.
    void addFile(const std::string& path, FileSpec file);
    void addTextFile(const std::string& path, std::string contents);
    void addDirectory(const std::string& path,
                      platform::Date modified = platform::Date::fromTimeIntervalSince1970(1'600'000'000.0));
    void addSymlink(const std::string& path, const std::string& target);

    void setModificationDate(const std::string& path, platform::Date date);
    // The folder exists but cannot be listed, walked into or read.
    void makeUnreadable(const std::string& path);
    // The entry still shows in its folder's listing, but is gone when read.
    void makeVanished(const std::string& path);
    // Removing, truncating or moving the entry fails with `error`.
    void refuseChanges(const std::string& path, std::errc error = std::errc::operation_not_permitted);
    // Puts the entry on another device (a mount point and everything below).
    void setDevice(const std::string& path, std::uint64_t device);
    // Gives a folder the identity of another entry (a mount looping back).
    void shareIdentity(const std::string& path, const std::string& original);
    // Runs `hook` once, right after the folder at `path` is next listed (by a
    // listing or by emptying it): a folder swapped while it is worked on.
    void onNextListing(const std::string& path, std::function<void()> hook);

    [[nodiscard]] bool exists(const std::string& path) const override;
    [[nodiscard]] std::optional<platform::FileAttributes> attributes(const std::string& path) const override;
    [[nodiscard]] std::optional<platform::FileAttributes> resolvedAttributes(const std::string& path) const override;
    [[nodiscard]] std::optional<std::string> realPath(const std::string& path) const override;
    [[nodiscard]] std::optional<std::vector<std::string>> contentsOfDirectory(
        const std::string& path, platform::ListingOptions options = {}) const override;
    [[nodiscard]] std::unique_ptr<platform::DirectoryWalk> walk(const std::string& root,
                                                                platform::WalkOptions options) const override;
    [[nodiscard]] std::optional<std::string> readFile(const std::string& path, std::size_t maxBytes = kDefaultReadLimit) const override;

    [[nodiscard]] std::error_code removeItem(const std::string& path) override;
    [[nodiscard]] std::error_code truncateFile(const std::string& path) override;
    [[nodiscard]] std::error_code moveItem(const std::string& from, const std::string& to) override;
    [[nodiscard]] std::error_code copyFile(const std::string& from, const std::string& to) override;
    [[nodiscard]] std::error_code createDirectories(const std::string& path) override;
    // Through the folder's identity, as a handle on it would: a folder moved
    // away is still emptied where it now lies, a link put in its place is not
    // followed.
    [[nodiscard]] platform::ContentsRemoval removeContents(const std::string& folder,
                                                           platform::ListingOptions options = {},
                                                           const platform::BeforeRemoval& beforeRemoving = {}) override;

private:
    struct Node {
        platform::FileAttributes attributes;
        std::string contents;
        std::string linkTarget;
        bool unreadable = false;
        bool vanished = false;
        std::optional<std::errc> refusal;
    };
    friend class FakeDirectoryWalk;

    Node& put(const std::string& path, platform::FileType type);
    void ensureParents(const std::string& path);
    [[nodiscard]] const Node* find(const std::string& path) const;
    [[nodiscard]] Node* find(const std::string& path);
    [[nodiscard]] const Node* present(const std::string& path) const;
    [[nodiscard]] std::optional<std::string> resolve(const std::string& path) const;
    [[nodiscard]] std::vector<std::string> childNames(const std::string& folder) const;
    [[nodiscard]] std::vector<std::string> subtree(const std::string& path) const;
    [[nodiscard]] std::optional<std::string> folderWithIdentity(const platform::FileIdentity& identity) const;
    void runListingHook(const std::string& path) const;

    mutable std::recursive_mutex mutex_;
    std::map<std::string, Node> nodes_;
    mutable std::map<std::string, std::function<void()>> listingHooks_;
    std::uint64_t nextInode_ = 1;
};

}  // namespace zentrel::testing
