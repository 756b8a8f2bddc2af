#pragma once
// The real file system, through POSIX calls on folder descriptors: entries are
// read with fstatat(AT_SYMLINK_NOFOLLOW) relative to their open folder, and
// folders are entered with openat(O_NOFOLLOW), so a link is never followed
// below the path a caller names and a folder swapped for a link mid-walk is
// not entered. Removal stays on the device of the item it removes.

#include "platform/files/FileSystem.hpp"

namespace zentrel::platform {

class PosixFileSystem final : public FileSystem {
public:
    [[nodiscard]] bool exists(const std::string& path) const override;
    [[nodiscard]] std::optional<FileAttributes> attributes(const std::string& path) const override;
    [[nodiscard]] std::optional<FileAttributes> resolvedAttributes(const std::string& path) const override;
    [[nodiscard]] std::optional<std::string> realPath(const std::string& path) const override;
    [[nodiscard]] std::optional<std::vector<std::string>> contentsOfDirectory(const std::string& path,
                                                                              ListingOptions options = {}) const override;
    [[nodiscard]] std::unique_ptr<DirectoryWalk> walk(const std::string& root, WalkOptions options) const override;
    [[nodiscard]] std::int64_t diskUsage(const std::string& folder, Executor* workers = nullptr) const override;
    [[nodiscard]] std::optional<std::string> readFile(const std::string& path, std::size_t maxBytes = kDefaultReadLimit) const override;

    [[nodiscard]] std::error_code removeItem(const std::string& path) override;
    [[nodiscard]] std::error_code truncateFile(const std::string& path) override;
    [[nodiscard]] std::error_code moveItem(const std::string& from, const std::string& to) override;
    [[nodiscard]] std::error_code copyFile(const std::string& from, const std::string& to) override;
    [[nodiscard]] std::error_code createDirectories(const std::string& path) override;
    [[nodiscard]] ContentsRemoval removeContents(const std::string& folder, ListingOptions options = {},
                                                 const BeforeRemoval& beforeRemoving = {}) override;

    // The one instance programs use; tests make their own or use the double.
    static PosixFileSystem& shared();
};

}  // namespace zentrel::platform
