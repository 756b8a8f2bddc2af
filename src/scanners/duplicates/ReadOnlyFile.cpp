#include "scanners/duplicates/ReadOnlyFile.hpp"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zentrel::scanners {

namespace {

void closeQuietly(int fd) {
    if (fd >= 0) (void)::close(fd);
}

}  // namespace

std::optional<ReadOnlyFile> ReadOnlyFile::open(const std::string& path) {
    // Non-blocking, so that a pipe put in the file's place cannot hang the open.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        closeQuietly(fd);
        return std::nullopt;
    }
    return ReadOnlyFile(fd);
}

ReadOnlyFile::~ReadOnlyFile() { closeQuietly(fd_); }

ReadOnlyFile::ReadOnlyFile(ReadOnlyFile&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }

std::optional<std::size_t> ReadOnlyFile::read(void* buffer, std::size_t size) {
    auto* bytes = static_cast<char*>(buffer);
    std::size_t total = 0;
    while (total < size) {
        ssize_t count = ::read(fd_, bytes + total, size - total);
        if (count < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        if (count == 0) break;
        total += static_cast<std::size_t>(count);
    }
    return total;
}

bool ReadOnlyFile::seek(std::int64_t offset) {
    return offset >= 0 && ::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) == static_cast<off_t>(offset);
}

}  // namespace zentrel::scanners
