#pragma once
// A picture file opened for a decoder that reads through stdio. Only a
// regular file opens: a link is not followed and a pipe cannot hang the open.
// The read buffer is small: a decoder that reads large pieces gets them
// straight from the file.

#include <array>
#include <cstdio>
#include <memory>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zentrel::scanners {

class PictureFile final {
public:
    [[nodiscard]] static std::optional<PictureFile> open(const std::string& path);

    ~PictureFile();
    PictureFile(PictureFile&& other) noexcept;
    PictureFile& operator=(PictureFile&&) = delete;
    PictureFile(const PictureFile&) = delete;
    PictureFile& operator=(const PictureFile&) = delete;

    [[nodiscard]] std::FILE* get() const { return file_; }
    // Whether the file starts with `signature` (at most 16 bytes); reads nothing.
    [[nodiscard]] bool startsWith(const unsigned char* signature, std::size_t length) const;
    // The file's first bytes (up to 16), read at opening.
    [[nodiscard]] std::span<const unsigned char> head() const { return {head_.data(), headLength_}; }
    // The size of the file when it was opened.
    [[nodiscard]] std::uint64_t sizeBytes() const { return sizeBytes_; }
    // Exactly `into.size()` bytes from `offset`; false past the end or when they cannot be read.
    [[nodiscard]] bool readAt(std::uint64_t offset, std::span<unsigned char> into);
    // The whole file from its start; none when it cannot be read.
    [[nodiscard]] std::optional<std::vector<unsigned char>> readAll();

private:
    PictureFile(std::FILE* file, std::unique_ptr<char[]> buffer) : file_(file), buffer_(std::move(buffer)) {}

    std::FILE* file_;
    std::unique_ptr<char[]> buffer_;
    // The file's first bytes, read at opening without moving the stream.
    std::array<unsigned char, 16> head_{};
    std::size_t headLength_ = 0;
    std::uint64_t sizeBytes_ = 0;
};

}  // namespace zentrel::scanners
