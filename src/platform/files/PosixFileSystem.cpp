#include "platform/files/PosixFileSystem.hpp"

#include "platform/files/DiskUsage.hpp"
#include "platform/files/FileDescriptor.hpp"
#include "platform/files/FileNames.hpp"
#include "platform/files/ReadFailures.hpp"
#include "platform/files/TreeRemoval.hpp"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace zentrel::platform {

namespace {

std::error_code lastError() { return {errno, std::system_category()}; }

FileAttributes attributesOf(const struct stat& st) {
    FileAttributes result;
    if (S_ISREG(st.st_mode)) {
        result.type = FileType::regular;
    } else if (S_ISDIR(st.st_mode)) {
        result.type = FileType::directory;
    } else if (S_ISLNK(st.st_mode)) {
        result.type = FileType::symbolicLink;
    }
    result.size = static_cast<std::int64_t>(st.st_size);
    result.allocatedSize = static_cast<std::int64_t>(st.st_blocks) * 512;
    result.modificationDate = Date::fromTimeIntervalSince1970(static_cast<double>(st.st_mtim.tv_sec) +
                                                              static_cast<double>(st.st_mtim.tv_nsec) / 1e9);
    result.identity = {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
    result.linkCount = static_cast<std::uint64_t>(st.st_nlink);
    result.owner = static_cast<std::uint32_t>(st.st_uid);
    result.permissions = static_cast<std::uint32_t>(st.st_mode & 07777);
    return result;
}

bool isDotOrDotDot(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// The names of an open folder's entries; takes over the descriptor.
std::optional<std::vector<std::string>> readNames(int fd, bool skipHidden) {
    DIR* dir = ::fdopendir(fd);
    if (dir == nullptr) {
        ::close(fd);
        return std::nullopt;
    }
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(dir)) {
        if (isDotOrDotDot(entry->d_name)) continue;
        if (skipHidden && entry->d_name[0] == '.') continue;
        names.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    return names;
}

class PosixDirectoryWalk final : public DirectoryWalk {
public:
    PosixDirectoryWalk(std::string root, WalkOptions options) : DirectoryWalk(std::move(root), options) {}
    ~PosixDirectoryWalk() override {
        for (DIR* dir : open_) ::closedir(dir);
    }
    using DirectoryWalk::start;

protected:
    std::optional<std::vector<Child>> openFolder(const WalkEntry* folder, bool skipHidden,
                                                 FileAttributes* rootAttributes) override {
        int fd = folder == nullptr
                     ? ::open(root().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)
                     : ::openat(::dirfd(open_.back()), folder->name.c_str(),
                                O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0) {
            noteReadFailure(folder == nullptr ? root() : folder->path, errno);
            return std::nullopt;
        }
        struct stat st {};
        if (::fstat(fd, &st) != 0) {
            ::close(fd);
            return std::nullopt;
        }
        FileAttributes opened = attributesOf(st);
        // The entry was replaced between reading it and opening it.
        if (folder != nullptr && !(opened.identity == folder->attributes.identity)) {
            ::close(fd);
            return std::nullopt;
        }
        if (rootAttributes != nullptr) *rootAttributes = opened;
        DIR* dir = ::fdopendir(fd);
        if (dir == nullptr) {
            ::close(fd);
            return std::nullopt;
        }
        std::vector<Child> children;
        int dirFd = ::dirfd(dir);
        while (const dirent* entry = ::readdir(dir)) {
            if (isDotOrDotDot(entry->d_name)) continue;
            if (skipHidden && entry->d_name[0] == '.') continue;
            struct stat childStat {};
            if (::fstatat(dirFd, entry->d_name, &childStat, AT_SYMLINK_NOFOLLOW) != 0) continue;
            children.push_back(Child{entry->d_name, attributesOf(childStat)});
        }
        open_.push_back(dir);
        return children;
    }

    void closeFolder() override {
        ::closedir(open_.back());
        open_.pop_back();
    }

private:
    std::vector<DIR*> open_;
};

// Removes the entry `name` of the open folder `fd` (a folder with everything
// in it), staying on device `device`. An entry that is already gone is fine.
std::error_code removeEntryAt(int fd, const std::string& name, std::uint64_t device) {
    struct stat st {};
    if (::fstatat(fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
        return errno == ENOENT ? std::error_code() : lastError();
    }
    if (static_cast<std::uint64_t>(st.st_dev) != device) return std::make_error_code(std::errc::cross_device_link);
    if (!S_ISDIR(st.st_mode)) {
        return ::unlinkat(fd, name.c_str(), 0) == 0 || errno == ENOENT ? std::error_code() : lastError();
    }
    FileDescriptor child(::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!child.isOpen()) return lastError();
    if (auto error = removeInsideFolder(child.get(), device)) return error;
    return ::unlinkat(fd, name.c_str(), AT_REMOVEDIR) == 0 ? std::error_code() : lastError();
}

std::error_code copyContents(int from, int to) {
    std::vector<char> buffer(1 << 18);
    for (;;) {
        ssize_t got = ::read(from, buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR) continue;
            return lastError();
        }
        if (got == 0) return {};
        for (ssize_t written = 0; written < got;) {
            ssize_t put = ::write(to, buffer.data() + written, static_cast<std::size_t>(got - written));
            if (put < 0) {
                if (errno == EINTR) continue;
                return lastError();
            }
            written += put;
        }
    }
}

}  // namespace

PosixFileSystem& PosixFileSystem::shared() {
    static PosixFileSystem instance;
    return instance;
}

bool PosixFileSystem::exists(const std::string& path) const {
    struct stat st {};
    if (path.empty()) return false;
    if (::lstat(path.c_str(), &st) == 0) return true;
    noteReadFailure(path, errno);
    return false;
}

std::optional<FileAttributes> PosixFileSystem::attributes(const std::string& path) const {
    struct stat st {};
    if (path.empty()) return std::nullopt;
    if (::lstat(path.c_str(), &st) != 0) {
        noteReadFailure(path, errno);
        return std::nullopt;
    }
    return attributesOf(st);
}

std::optional<FileAttributes> PosixFileSystem::resolvedAttributes(const std::string& path) const {
    struct stat st {};
    if (path.empty()) return std::nullopt;
    if (::stat(path.c_str(), &st) != 0) {
        noteReadFailure(path, errno);
        return std::nullopt;
    }
    return attributesOf(st);
}

std::optional<std::string> PosixFileSystem::realPath(const std::string& path) const {
    if (path.empty()) return std::nullopt;
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr) return std::nullopt;
    std::string result(resolved);
    std::free(resolved);
    return result;
}

std::optional<std::vector<std::string>> PosixFileSystem::contentsOfDirectory(const std::string& path,
                                                                             ListingOptions options) const {
    if (path.empty()) return std::nullopt;
    int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        noteReadFailure(path, errno);
        return std::nullopt;
    }
    auto names = readNames(fd, options.skipHiddenEntries);
    if (names) std::sort(names->begin(), names->end());
    return names;
}

std::unique_ptr<DirectoryWalk> PosixFileSystem::walk(const std::string& root, WalkOptions options) const {
    if (root.empty()) return nullptr;
    auto walk = std::make_unique<PosixDirectoryWalk>(root, options);
    if (!walk->start()) return nullptr;
    return walk;
}

std::int64_t PosixFileSystem::diskUsage(const std::string& folder, Executor* workers) const {
    return folder.empty() ? 0 : diskUsageOfFolder(folder, workers).value_or(0);
}

std::optional<std::string> PosixFileSystem::readFile(const std::string& path, std::size_t maxBytes) const {
    // Non-blocking so that opening a named pipe never waits for a writer.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!fd.isOpen()) {
        noteReadFailure(path, errno);
        return std::nullopt;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    if (static_cast<std::uint64_t>(st.st_size) > maxBytes) return std::nullopt;
    std::string contents;
    char buffer[65536];
    for (;;) {
        ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        if (got == 0) return contents;
        contents.append(buffer, static_cast<std::size_t>(got));
        if (contents.size() > maxBytes) return std::nullopt;
    }
}

std::error_code PosixFileSystem::removeItem(const std::string& path) {
    struct stat st {};
    if (path.empty()) return std::make_error_code(std::errc::invalid_argument);
    if (::lstat(path.c_str(), &st) != 0) return lastError();
    if (!S_ISDIR(st.st_mode)) return ::unlink(path.c_str()) == 0 ? std::error_code() : lastError();
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!fd.isOpen()) return lastError();
    if (auto error = removeInsideFolder(fd.get(), static_cast<std::uint64_t>(st.st_dev))) return error;
    return ::rmdir(path.c_str()) == 0 ? std::error_code() : lastError();
}

ContentsRemoval PosixFileSystem::removeContents(const std::string& folder, ListingOptions options,
                                                const BeforeRemoval& beforeRemoving) {
    ContentsRemoval result;
    if (folder.empty()) return result;
    FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    struct stat st {};
    if (!fd.isOpen() || ::fstat(fd.get(), &st) != 0) return result;
    auto names = readNames(::dup(fd.get()), options.skipHiddenEntries);
    if (!names) return result;
    std::sort(names->begin(), names->end());
    result.listed = true;
    for (const auto& name : *names) {
        auto path = appendingPathComponent(folder, name);
        if (beforeRemoving) beforeRemoving(path);
        if (auto error = removeEntryAt(fd.get(), name, static_cast<std::uint64_t>(st.st_dev))) {
            result.failures.emplace_back(std::move(path), error);
        } else {
            result.removed.push_back(std::move(path));
        }
    }
    return result;
}

namespace {

// Puts an empty file of `mode` at `path` through a new file beside it and a rename.
std::error_code replaceWithEmptyFile(const std::string& path, mode_t mode) {
    std::string temporary = path + ".zentrel-empty-XXXXXX";
    FileDescriptor fd(::mkstemp(temporary.data()));
    if (!fd.isOpen()) return lastError();
    if (::fchmod(fd.get(), mode) != 0 || ::rename(temporary.c_str(), path.c_str()) != 0) {
        const auto error = lastError();
        ::unlink(temporary.c_str());
        return error;
    }
    return {};
}

}  // namespace

std::error_code PosixFileSystem::truncateFile(const std::string& path) {
    FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!fd.isOpen()) return lastError();
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) return lastError();
    if (!S_ISREG(st.st_mode)) return std::make_error_code(std::errc::invalid_argument);
    if (st.st_nlink > 1) return replaceWithEmptyFile(path, st.st_mode & 07777);
    return ::ftruncate(fd.get(), 0) == 0 ? std::error_code() : lastError();
}

std::error_code PosixFileSystem::moveItem(const std::string& from, const std::string& to) {
    if (exists(to)) return std::make_error_code(std::errc::file_exists);
    if (::rename(from.c_str(), to.c_str()) == 0) return {};
    if (errno != EXDEV) return lastError();
    if (auto error = copyFile(from, to)) return error;
    if (::unlink(from.c_str()) != 0) {
        auto error = lastError();
        ::unlink(to.c_str());
        return error;
    }
    return {};
}

std::error_code PosixFileSystem::copyFile(const std::string& from, const std::string& to) {
    FileDescriptor source(::open(from.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!source.isOpen()) return lastError();
    struct stat st {};
    if (::fstat(source.get(), &st) != 0) return lastError();
    if (!S_ISREG(st.st_mode)) return std::make_error_code(std::errc::invalid_argument);
    FileDescriptor target(::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, st.st_mode & 07777));
    if (!target.isOpen()) return lastError();
    auto error = copyContents(source.get(), target.get());
    if (!error) {
        const timespec times[2] = {st.st_atim, st.st_mtim};
        ::futimens(target.get(), times);
        if (::fsync(target.get()) != 0) error = lastError();
    }
    if (error) ::unlink(to.c_str());
    return error;
}

std::error_code PosixFileSystem::createDirectories(const std::string& path) {
    std::error_code error;
    std::filesystem::create_directories(path, error);
    if (!error && !std::filesystem::is_directory(path, error) && !error)
        error = std::make_error_code(std::errc::not_a_directory);
    return error;
}

}  // namespace zentrel::platform
