#include "scanners/PictureFile.hpp"

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

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
    return PictureFile(file, std::move(buffer));
}

PictureFile::~PictureFile() {
    if (file_) std::fclose(file_);
}

PictureFile::PictureFile(PictureFile&& other) noexcept : file_(other.file_), buffer_(std::move(other.buffer_)) {
    other.file_ = nullptr;
}

bool PictureFile::startsWith(const unsigned char* signature, std::size_t length) const {
    std::vector<unsigned char> head(length);
    std::rewind(file_);
    const bool same =
        std::fread(head.data(), 1, length, file_) == length && std::equal(head.begin(), head.end(), signature);
    std::rewind(file_);
    return same;
}

}  // namespace zentrel::scanners
