#pragma once
// Closes a file descriptor when it goes out of scope.
//
//   const FileDescriptor fd(::open(path, O_RDONLY | O_CLOEXEC));
//   if (!fd.isOpen()) return lastError();

#include <unistd.h>

namespace zentrel::platform {

class FileDescriptor final {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    [[nodiscard]] int get() const { return fd_; }
    [[nodiscard]] bool isOpen() const { return fd_ >= 0; }

private:
    int fd_;
};

}  // namespace zentrel::platform
