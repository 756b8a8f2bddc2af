#include "platform/files/TreeRemoval.hpp"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zentrel::platform {

namespace {

std::error_code lastError() { return {errno, std::system_category()}; }

// The names of an open folder's entries, read through a copy of `fd`.
std::optional<std::vector<std::string>> entryNames(int fd) {
    const int copy = ::dup(fd);
    if (copy < 0) return std::nullopt;
    DIR* dir = ::fdopendir(copy);
    if (dir == nullptr) {
        ::close(copy);
        return std::nullopt;
    }
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
        names.emplace_back(name);
    }
    ::closedir(dir);
    return names;
}

struct Level {
    int fd = -1;  // -1 while closed to spare descriptors
    struct stat identity {};
    std::string name;  // in the folder above
    std::vector<std::string> names;
    std::size_t next = 0;
};

}  // namespace

std::error_code removeInsideFolder(int folder, std::uint64_t device) {
    std::vector<Level> levels(1);
    levels[0].fd = folder;  // the caller's, never closed here
    if (::fstat(folder, &levels[0].identity) != 0) return lastError();
    auto rootNames = entryNames(folder);
    if (!rootNames) return lastError();
    levels[0].names = std::move(*rootNames);

    int open = 0;               // descriptors of the levels below the first
    std::size_t oldestOpen = 1;  // levels above this one below the first are closed
    std::error_code first;
    const auto note = [&first](std::error_code error) {
        if (error && !first) first = error;
    };
    const auto closeAll = [&] {
        for (std::size_t i = 1; i < levels.size(); ++i)
            if (levels[i].fd >= 0) ::close(levels[i].fd);
    };

    while (true) {
        auto& top = levels.back();
        if (top.next < top.names.size()) {
            const std::string& name = top.names[top.next++];
            struct stat st {};
            if (::fstatat(top.fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
                if (errno != ENOENT) note(lastError());
                continue;
            }
            if (static_cast<std::uint64_t>(st.st_dev) != device) {
                note(std::make_error_code(std::errc::cross_device_link));
                continue;
            }
            if (!S_ISDIR(st.st_mode)) {
                if (::unlinkat(top.fd, name.c_str(), 0) != 0 && errno != ENOENT) note(lastError());
                continue;
            }
            Level child;
            child.fd = ::openat(top.fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (child.fd < 0) {
                note(lastError());
                continue;
            }
            auto names = ::fstat(child.fd, &child.identity) == 0 && child.identity.st_ino == st.st_ino
                             ? entryNames(child.fd)
                             : std::nullopt;
            if (!names) {
                note(lastError());
                ::close(child.fd);
                continue;
            }
            child.name = name;
            child.names = std::move(*names);
            if (++open > kMostOpenFolders) {
                ::close(levels[oldestOpen].fd);
                levels[oldestOpen++].fd = -1;
                --open;
            }
            levels.push_back(std::move(child));
            continue;
        }
        if (levels.size() == 1) break;  // the caller removes the folder itself
        Level done = std::move(levels.back());
        levels.pop_back();
        auto& parent = levels.back();
        if (parent.fd < 0) {
            const int up = ::openat(done.fd, "..", O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            struct stat st {};
            if (up < 0 || ::fstat(up, &st) != 0 || st.st_dev != parent.identity.st_dev ||
                st.st_ino != parent.identity.st_ino) {
                // The tree moved while it was removed: stop rather than guess.
                if (up >= 0) ::close(up);
                ::close(done.fd);
                closeAll();
                return first ? first : std::make_error_code(std::errc::device_or_resource_busy);
            }
            parent.fd = up;
            ++open;
            oldestOpen = levels.size() - 1;
        }
        ::close(done.fd);
        --open;
        if (::unlinkat(parent.fd, done.name.c_str(), AT_REMOVEDIR) != 0 && errno != ENOENT) note(lastError());
    }
    return first;
}

}  // namespace zentrel::platform
