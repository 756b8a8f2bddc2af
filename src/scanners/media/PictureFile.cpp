#include "scanners/media/PictureFile.hpp"

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zentrel::scanners {

namespace {

// Reads of this size cost no more time than whole-file reads, and keep the
// memory of the decodes in flight small.
constexpr std::size_t kLargestReadBuffer = 16 * 1024;

}  // namespace

std::optional<PictureFile> PictureFile::open(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    std::FILE* file = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) ? ::fdopen(fd, "rb") : nullptr;
    if (file == nullptr) {
        ::close(fd);
        return std::nullopt;
    }
    // As large as the file, up to 16 KiB.
    const auto bufferBytes = std::clamp<std::size_t>(static_cast<std::size_t>(st.st_size), BUFSIZ, kLargestReadBuffer);
    auto buffer = std::make_unique_for_overwrite<char[]>(bufferBytes);
    std::setvbuf(file, buffer.get(), _IOFBF, bufferBytes);
    PictureFile picture(file, std::move(buffer));
    const auto headBytes = ::pread(fd, picture.head_.data(), picture.head_.size(), 0);
    picture.headLength_ = headBytes > 0 ? static_cast<std::size_t>(headBytes) : 0;
    picture.sizeBytes_ = static_cast<std::uint64_t>(st.st_size);
    return picture;
}

PictureFile::~PictureFile() {
    if (file_) std::fclose(file_);
}

PictureFile::PictureFile(PictureFile&& other) noexcept
    : file_(other.file_),
      buffer_(std::move(other.buffer_)),
      head_(other.head_),
      headLength_(other.headLength_),
      sizeBytes_(other.sizeBytes_) {
    other.file_ = nullptr;
}

bool PictureFile::startsWith(const unsigned char* signature, std::size_t length) const {
    return length <= headLength_ && std::equal(signature, signature + length, head_.begin());
}

bool PictureFile::readAt(std::uint64_t offset, std::span<unsigned char> into) {
    return offset <= sizeBytes_ && into.size() <= sizeBytes_ - offset &&
           ::fseeko(file_, static_cast<off_t>(offset), SEEK_SET) == 0 &&
           std::fread(into.data(), 1, into.size(), file_) == into.size();
}

std::optional<std::vector<unsigned char>> PictureFile::readAll() {
    std::rewind(file_);
    std::vector<unsigned char> bytes(static_cast<std::size_t>(sizeBytes_));
    if (std::fread(bytes.data(), 1, bytes.size(), file_) != bytes.size()) return std::nullopt;
    return bytes;
}

}  // namespace zentrel::scanners
