#include "platform/files/ReadFailures.hpp"

#include <cerrno>
#include <mutex>

namespace zentrel::platform {

namespace {

std::mutex& listenerMutex() {
    static std::mutex mutex;
    return mutex;
}

ReadFailureListener& currentListener() {
    static ReadFailureListener listener;
    return listener;
}

}  // namespace

ReadFailureListener setReadFailureListener(ReadFailureListener listener) {
    std::lock_guard lock(listenerMutex());
    std::swap(currentListener(), listener);
    return listener;
}

void noteReadFailure(const std::string& path, int error) {
    if (error != EACCES && error != EPERM && error != EIO) return;
    std::lock_guard lock(listenerMutex());
    if (currentListener()) currentListener()(path, std::error_code(error, std::system_category()));
}

}  // namespace zentrel::platform
