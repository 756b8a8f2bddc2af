#include "platform/text/Warnings.hpp"

#include <iostream>
#include <mutex>

namespace zentrel::platform {

namespace {
std::mutex& sinkMutex() {
    static std::mutex mutex;
    return mutex;
}
WarningSink& currentSink() {
    static WarningSink sink;
    return sink;
}
}  // namespace

void warn(std::string_view message) {
    std::string line(kWarningPrefix);
    line += message;
    std::lock_guard lock(sinkMutex());
    if (currentSink()) {
        currentSink()(line);
    } else {
        std::cout << line << std::endl;
    }
}

WarningSink setWarningSink(WarningSink sink) {
    std::lock_guard lock(sinkMutex());
    std::swap(currentSink(), sink);
    return sink;
}

}  // namespace zentrel::platform
