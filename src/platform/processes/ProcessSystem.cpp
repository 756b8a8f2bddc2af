#include "platform/processes/ProcessSystem.hpp"

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace zentrel::platform {

namespace {

namespace fs = std::filesystem;

std::optional<std::string> lineStartingWith(const fs::path& path, std::string_view key) {
    std::ifstream file(path);
    for (std::string line; file && std::getline(file, line);) {
        if (line.starts_with(key)) return line.substr(key.size());
    }
    return std::nullopt;
}

std::optional<std::int64_t> parsedPid(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return std::nullopt;
    text.remove_prefix(first);
    std::int64_t pid = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), pid);
    if (error != std::errc() || end != text.data() + text.size() || pid <= 0) return std::nullopt;
    return pid;
}

// A descriptor closed with the object.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};

}  // namespace

LinuxProcessSystem::LinuxProcessSystem(fs::path procRoot)
    : LinuxProcessSystem(std::move(procRoot), [] {
          const char* folder = std::getenv("XDG_RUNTIME_DIR");
          return std::string(folder != nullptr ? folder : "");
      }()) {}

LinuxProcessSystem::LinuxProcessSystem(fs::path procRoot, std::string runtimeFolder)
    : procRoot_(std::move(procRoot)), runtimeFolder_(std::move(runtimeFolder)) {}

const LinuxProcessSystem& LinuxProcessSystem::shared() {
    static const LinuxProcessSystem system;
    return system;
}

std::optional<ProcessRecord> LinuxProcessSystem::process(std::int64_t pid) const {
    if (pid <= 0) return std::nullopt;
    const auto folder = procRoot_ / std::to_string(pid);
    // /proc also answers for a thread's id; a thread's group is another process.
    const auto group = lineStartingWith(folder / "status", "Tgid:");
    if (!group || parsedPid(*group) != pid) return std::nullopt;
    ProcessRecord record{.pid = pid, .program = {}, .arguments = {}};
    std::error_code error;
    auto exe = fs::read_symlink(folder / "exe", error).string();
    if (!error) {
        // A program replaced by an upgrade while it runs.
        if (exe.ends_with(" (deleted)")) exe.resize(exe.size() - 10);
        record.program = fs::path(exe).filename().string();
    } else {
        std::ifstream comm(folder / "comm");
        std::getline(comm, record.program);
    }
    std::ifstream commandLine(folder / "cmdline", std::ios::binary);
    for (std::string argument; commandLine && std::getline(commandLine, argument, '\0');)
        record.arguments.push_back(argument);
    return record;
}

std::vector<ProcessRecord> LinuxProcessSystem::processes() const {
    std::vector<ProcessRecord> records;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(procRoot_, error)) {
        const auto pid = parsedPid(entry.path().filename().string());
        if (!pid) continue;
        if (auto record = process(*pid)) records.push_back(std::move(*record));
    }
    return records;
}

std::vector<std::string> LinuxProcessSystem::openFiles(std::int64_t pid) const {
    std::vector<std::string> files;
    if (pid <= 0) return files;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(procRoot_ / std::to_string(pid) / "fd", error)) {
        std::error_code unreadable;
        auto target = fs::read_symlink(entry.path(), unreadable);
        if (!unreadable && target.is_absolute()) files.push_back(target.string());
    }
    return files;
}

FileLockState LinuxProcessSystem::fileLock(const std::string& path) const {
    const Descriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK)};
    struct stat status {};
    if (file.fd < 0 || ::fstat(file.fd, &status) != 0 || !S_ISREG(status.st_mode)) return FileLockState::unknown;
    struct flock probe {};
    probe.l_type = F_WRLCK;
    probe.l_whence = SEEK_SET;
    // An open-file-description probe conflicts with every lock, this process's own too.
    if (::fcntl(file.fd, F_OFD_GETLK, &probe) != 0) {
        probe = {};
        probe.l_type = F_WRLCK;
        probe.l_whence = SEEK_SET;
        if (::fcntl(file.fd, F_GETLK, &probe) != 0) return FileLockState::unknown;
    }
    return probe.l_type == F_UNLCK ? FileLockState::unlocked : FileLockState::locked;
}

SocketAnswer LinuxProcessSystem::connectTo(const std::string& path) const {
    // The link's target is short (a folder of /tmp) where its own path may not be.
    std::error_code error;
    auto target = fs::read_symlink(path, error);
    const auto address = !error && target.is_absolute() ? target.string() : path;
    sockaddr_un socketAddress{};
    socketAddress.sun_family = AF_UNIX;
    if (address.size() >= sizeof socketAddress.sun_path) return SocketAnswer::unreachable;
    std::memcpy(socketAddress.sun_path, address.c_str(), address.size() + 1);
    const Descriptor socket{::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0)};
    if (socket.fd < 0) return SocketAnswer::unreachable;
    if (::connect(socket.fd, reinterpret_cast<const sockaddr*>(&socketAddress), sizeof socketAddress) == 0)
        return SocketAnswer::answers;
    // A full queue of waiting connections is a listener too.
    if (errno == EAGAIN || errno == EINPROGRESS) return SocketAnswer::answers;
    return errno == ECONNREFUSED ? SocketAnswer::refused : SocketAnswer::unreachable;
}

std::string LinuxProcessSystem::hostName() const {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0) return {};
    return name;
}

}  // namespace zentrel::platform
