#pragma once
// What the file system tells about one entry, read without following a
// symbolic link at the entry itself.

#include "platform/text/Date.hpp"

#include <cstdint>

namespace zentrel::platform {

enum class FileType { regular, directory, symbolicLink, other };

// Where an entry lives: the device and the inode number on it. Two paths with
// the same identity name the same folder or file.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

struct FileAttributes {
    FileType type = FileType::other;
    std::int64_t size = 0;           // logical size in bytes
    std::int64_t allocatedSize = 0;  // bytes of the blocks the entry holds on disk
    Date modificationDate;
    FileIdentity identity;
    std::uint64_t linkCount = 1;  // names the entry has (hard links)
    std::uint32_t owner = 0;        // the user id that owns the entry
    std::uint32_t permissions = 0;  // the mode's permission bits (07777)

    [[nodiscard]] bool isDirectory() const { return type == FileType::directory; }
    [[nodiscard]] bool isRegularFile() const { return type == FileType::regular; }
};

}  // namespace zentrel::platform
