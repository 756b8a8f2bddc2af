#pragma once
// What the system tells of running programs: the processes of this pid
// namespace and the files they hold open, the fcntl locks on a file (seen
// from every namespace), whether a local socket answers, and the user's
// runtime folder. The browser checks ask through this seam; tests hand it a
// fake /proc root, or a double.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zentrel::platform {

// One process of this pid namespace.
struct ProcessRecord {
    std::int64_t pid = 0;
    std::string program;                 // its executable's file name, else the kernel's name for it
    std::vector<std::string> arguments;  // its command line
};

enum class FileLockState {
    unlocked,  // nobody holds a lock on it
    locked,    // some open file, of any process, holds one
    unknown,   // no such regular file, or it cannot be opened
};

enum class SocketAnswer {
    answers,      // something accepts connections there
    refused,      // a socket no program listens on any more
    unreachable,  // nothing there this system can reach (a sandbox's own /tmp)
};

class ProcessSystem {
public:
    virtual ~ProcessSystem() = default;
    // The process `pid`; none for a thread's id, a pid no process has here, or a bad one.
    [[nodiscard]] virtual std::optional<ProcessRecord> process(std::int64_t pid) const = 0;
    [[nodiscard]] virtual std::vector<ProcessRecord> processes() const = 0;
    // Where the files `pid` holds open lie, where that can be read.
    [[nodiscard]] virtual std::vector<std::string> openFiles(std::int64_t pid) const = 0;
    // The fcntl lock on a regular file (never through a link at the file itself).
    [[nodiscard]] virtual FileLockState fileLock(const std::string& path) const = 0;
    // A connect to the Unix-domain socket at `path`, through a link there.
    [[nodiscard]] virtual SocketAnswer connectTo(const std::string& path) const = 0;
    [[nodiscard]] virtual std::string hostName() const = 0;
    // $XDG_RUNTIME_DIR; empty when unset.
    [[nodiscard]] virtual std::string runtimeFolder() const = 0;
};

// The running system's, through /proc (or `procRoot`).
class LinuxProcessSystem final : public ProcessSystem {
public:
    explicit LinuxProcessSystem(std::filesystem::path procRoot = "/proc");
    LinuxProcessSystem(std::filesystem::path procRoot, std::string runtimeFolder);
    [[nodiscard]] static const LinuxProcessSystem& shared();

    [[nodiscard]] std::optional<ProcessRecord> process(std::int64_t pid) const override;
    [[nodiscard]] std::vector<ProcessRecord> processes() const override;
    [[nodiscard]] std::vector<std::string> openFiles(std::int64_t pid) const override;
    [[nodiscard]] FileLockState fileLock(const std::string& path) const override;
    [[nodiscard]] SocketAnswer connectTo(const std::string& path) const override;
    [[nodiscard]] std::string hostName() const override;
    [[nodiscard]] std::string runtimeFolder() const override { return runtimeFolder_; }

private:
    std::filesystem::path procRoot_;
    std::string runtimeFolder_;
};

}  // namespace zentrel::platform
