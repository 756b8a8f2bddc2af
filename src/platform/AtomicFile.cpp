#include "platform/AtomicFile.hpp"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace zentrel::platform {

namespace {

std::string errnoText(const std::string& what, const std::filesystem::path& path) {
    return what + " " + path.string() + ": " + std::strerror(errno);
}

bool writeAll(int fd, std::string_view contents) {
    const char* data = contents.data();
    std::size_t left = contents.size();
    while (left > 0) {
        ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace

std::optional<std::string> writeFileAtomically(const std::filesystem::path& target, std::string_view contents) {
    std::error_code ec;
    auto folder = target.parent_path();
    if (!folder.empty()) {
        std::filesystem::create_directories(folder, ec);
        if (ec) return "Could not create " + folder.string() + ": " + ec.message();
    }
    std::string temporary = target.string() + ".tmp-XXXXXX";
    int fd = ::mkstemp(temporary.data());
    if (fd < 0) return errnoText("Could not create a temporary file for", target);
    ::fchmod(fd, 0600);
    bool ok = writeAll(fd, contents) && ::fsync(fd) == 0;
    int savedErrno = errno;
    ::close(fd);
    if (!ok) {
        ::unlink(temporary.c_str());
        errno = savedErrno;
        return errnoText("Could not write", target);
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        savedErrno = errno;
        ::unlink(temporary.c_str());
        errno = savedErrno;
        return errnoText("Could not replace", target);
    }
    // Make the rename itself durable.
    int dirFd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return std::nullopt;
}

std::optional<std::string> readWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream contents;
    contents << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return contents.str();
}

}  // namespace zentrel::platform
