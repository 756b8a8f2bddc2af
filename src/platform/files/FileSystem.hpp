#pragma once
// The file-system seam used by every scanner, the duplicate walk, the cookie
// stores and the clean run. Paths are plain text; nothing here follows a
// symbolic link except where a method says so. `PosixFileSystem` is the real
// backend; tests/doubles has one that makes up sizes, dates and failures.

#include "platform/concurrency/Executor.hpp"
#include "platform/files/DirectoryWalk.hpp"
#include "platform/files/FileAttributes.hpp"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace zentrel::platform {

struct ListingOptions {
    // Leave out names beginning with ".".
    bool skipHiddenEntries = false;
};

// What emptying a folder did: whether it could be opened and listed, the
// entries that went and those that could not be removed (each with its
// error), in listing order.
struct ContentsRemoval {
    bool listed = false;
    std::vector<std::string> removed;
    std::vector<std::pair<std::string, std::error_code>> failures;
};

// Told each entry's path just before emptying a folder removes it.
using BeforeRemoval = std::function<void(const std::string& path)>;

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Whether an entry exists at the path; a link counts, whatever it points to.
    [[nodiscard]] virtual bool exists(const std::string& path) const = 0;
    // The entry's own attributes (a link's, not its target's).
    [[nodiscard]] virtual std::optional<FileAttributes> attributes(const std::string& path) const = 0;
    // The attributes of what the path leads to, following links.
    [[nodiscard]] virtual std::optional<FileAttributes> resolvedAttributes(const std::string& path) const = 0;
    // The path with every link and "." or ".." resolved; nullopt when it does not lead anywhere.
    [[nodiscard]] virtual std::optional<std::string> realPath(const std::string& path) const = 0;
    // Names of the direct entries of a folder (a link at the path itself is
    // followed), in name order; nullopt when it cannot be listed.
    [[nodiscard]] virtual std::optional<std::vector<std::string>> contentsOfDirectory(
        const std::string& path, ListingOptions options = {}) const = 0;
    // A walk below a folder (a link at the root itself is followed); nullptr
    // when the root is not a folder that can be read.
    [[nodiscard]] virtual std::unique_ptr<DirectoryWalk> walk(const std::string& root, WalkOptions options) const = 0;
    // The contents of a regular file of at most `maxBytes`; nullopt otherwise.
    [[nodiscard]] virtual std::optional<std::string> readFile(const std::string& path,
                                                              std::size_t maxBytes = kDefaultReadLimit) const = 0;

    // Removes a file, a link or a whole folder with everything in it; links
    // inside are removed, never followed. On failure, what could be removed is
    // gone and the first error is returned.
    [[nodiscard]] virtual std::error_code removeItem(const std::string& path) = 0;
    // Cuts a regular file to 0 bytes in place; a file with more than one
    // link is replaced by an empty one of the same mode instead, so that the
    // other names keep what they hold.
    [[nodiscard]] virtual std::error_code truncateFile(const std::string& path) = 0;
    // Moves an entry to a new path that must not exist yet; across devices a
    // regular file is copied and then removed.
    [[nodiscard]] virtual std::error_code moveItem(const std::string& from, const std::string& to) = 0;
    // Copies a regular file to a new path that must not exist yet.
    [[nodiscard]] virtual std::error_code copyFile(const std::string& from, const std::string& to) = 0;
    // Creates a folder and any missing parents; an existing folder is fine.
    [[nodiscard]] virtual std::error_code createDirectories(const std::string& path) = 0;

    // The bytes a folder takes on disk, as `du -s` counts them: its own
    // blocks and those of every entry below it, hidden ones too, a file with
    // several hard links once, no link followed, no other device entered.
    // Folders may be read on `workers` too. 0 when it cannot be read.
    [[nodiscard]] virtual std::int64_t diskUsage(const std::string& folder, Executor* workers = nullptr) const;

    // Removes every direct entry of a folder, one at a time, going on after a
    // failure. The folder itself stays. Everything happens through one handle
    // on the folder, opened without following a link at the path: a folder
    // swapped for a link, before or while it is emptied, leads nowhere else.
    [[nodiscard]] virtual ContentsRemoval removeContents(const std::string& folder, ListingOptions options = {},
                                                         const BeforeRemoval& beforeRemoving = {}) = 0;

    static constexpr std::size_t kDefaultReadLimit = 64 * 1024 * 1024;
};

}  // namespace zentrel::platform
