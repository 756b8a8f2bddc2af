#pragma once
// A regular file opened for reading by the duplicate finder's hashing. A
// symbolic link at the path is not followed and anything that is not a
// regular file (a folder, a pipe, a device) is refused, so hashing reads
// exactly the kind of entry the walk found. The descriptor is closed when the
// object goes, and a failing close is dropped.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace zentrel::scanners {

class ReadOnlyFile final {
public:
    // Nullopt when the path cannot be opened or is not a regular file.
    [[nodiscard]] static std::optional<ReadOnlyFile> open(const std::string& path);

    ~ReadOnlyFile();
    ReadOnlyFile(ReadOnlyFile&& other) noexcept;
    ReadOnlyFile& operator=(ReadOnlyFile&&) = delete;
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    // Reads until `size` bytes are in `buffer` or the file ends. Returns the
    // number read, or nullopt when a read fails.
    [[nodiscard]] std::optional<std::size_t> read(void* buffer, std::size_t size);
    // Moves to an offset from the start; false when the move fails.
    [[nodiscard]] bool seek(std::int64_t offset);

private:
    explicit ReadOnlyFile(int fd) : fd_(fd) {}
    int fd_;
};

}  // namespace zentrel::scanners
