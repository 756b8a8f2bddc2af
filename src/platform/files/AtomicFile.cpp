#include "platform/files/AtomicFile.hpp"

#include "platform/text/Localization.hpp"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace zentrel::platform {

namespace {

// `key` names the path and then the error: N_("Could not write %1$@: %2$@").
std::string errnoText(std::string_view key, const std::filesystem::path& path) {
    return localizedFormat(key, {path.string(), fileErrorText(std::error_code(errno, std::generic_category()))});
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

void writeFileAtomicallyOrThrow(const std::filesystem::path& target, std::string_view contents) {
    errno = 0;
    if (auto error = writeFileAtomically(target, contents)) {
        const int code = errno != 0 ? errno : EIO;
        throw std::filesystem::filesystem_error(*error, target, std::error_code(code, std::generic_category()));
    }
}

std::string fileErrorText(std::error_code error) {
    if (error == std::errc::no_space_on_device || error.value() == EDQUOT) return localized("the disk is full");
    if (error == std::errc::permission_denied) return localized("permission denied");
    if (error == std::errc::operation_not_permitted) return localized("the system does not permit it");
    if (error == std::errc::no_such_file_or_directory) return localized("it is no longer there");
    if (error == std::errc::read_only_file_system) return localized("the disk is read-only");
    if (error == std::errc::device_or_resource_busy) return localized("it is in use");
    if (error == std::errc::directory_not_empty) return localized("the folder is not empty");
    if (error == std::errc::io_error) return localized("the disk could not be read or written");
    return error.message();
}

std::optional<std::string> writeFileAtomically(const std::filesystem::path& target, std::string_view contents) {
    std::error_code ec;
    auto folder = target.parent_path();
    if (!folder.empty()) {
        std::filesystem::create_directories(folder, ec);
        if (ec) {
            errno = ec.value();
            return localizedFormat("Could not create %1$@: %2$@", {folder.string(), fileErrorText(ec)});
        }
    }
    std::string temporary = target.string() + ".tmp-XXXXXX";
    int fd = ::mkstemp(temporary.data());
    if (fd < 0) return errnoText(N_("Could not create a temporary file for %1$@: %2$@"), target);
    ::fchmod(fd, 0600);
    bool ok = writeAll(fd, contents) && ::fsync(fd) == 0;
    int savedErrno = errno;
    ::close(fd);
    if (!ok) {
        ::unlink(temporary.c_str());
        errno = savedErrno;
        return errnoText(N_("Could not write %1$@: %2$@"), target);
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        savedErrno = errno;
        ::unlink(temporary.c_str());
        errno = savedErrno;
        return errnoText(N_("Could not replace %1$@: %2$@"), target);
    }
    // Make the rename itself durable.
    int dirFd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return std::nullopt;
}

namespace {

// A descriptor of the regular file at `path`, opened without following a
// link and without waiting on a FIFO; -1 otherwise.
int openRegularFile(const std::filesystem::path& path, struct stat& status) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return -1;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

std::optional<std::string> readRegularFile(const std::filesystem::path& path, std::uint64_t limit) {
    struct stat status {};
    const int fd = openRegularFile(path, status);
    if (fd < 0) return std::nullopt;
    std::optional<std::string> contents;
    if (static_cast<std::uint64_t>(status.st_size) <= limit) {
        std::string read(static_cast<std::size_t>(status.st_size), '\0');
        std::size_t done = 0;
        while (done < read.size()) {
            const ssize_t got = ::read(fd, read.data() + done, read.size() - done);
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) break;
            done += static_cast<std::size_t>(got);
        }
        // A file that shrank while it was read is given as far as it went.
        read.resize(done);
        contents = std::move(read);
    }
    ::close(fd);
    return contents;
}

std::optional<std::string> notARegularFile(const std::filesystem::path& path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) return localized("it is gone");
    if (S_ISLNK(status.st_mode)) return localized("it is a link");
    if (!S_ISREG(status.st_mode)) return localized("it is not a regular file");
    const int fd = openRegularFile(path, status);
    if (fd < 0) return localized("it cannot be opened as a regular file");
    ::close(fd);
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
