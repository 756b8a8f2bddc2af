#include "services/processes/SmallFile.hpp"

#include <array>
#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace zentrel::services {

std::optional<std::string> readSmallFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string contents;
    std::array<char, 4096> buffer;
    for (;;) {
        const ssize_t count = ::read(fd, buffer.data(), buffer.size());
        if (count < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            return std::nullopt;
        }
        contents.append(buffer.data(), static_cast<std::size_t>(count));
        // A short read of a regular, proc or sys file is its end; this saves
        // a second read call per file.
        if (static_cast<std::size_t>(count) < buffer.size()) break;
    }
    ::close(fd);
    return contents;
}

}  // namespace zentrel::services
