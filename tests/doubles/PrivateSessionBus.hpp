#pragma once
// A session bus of the test's own: a dbus-daemon started for one test and
// stopped afterwards, so nothing reaches the real desktop session.

#include <string>
#include <sys/types.h>

namespace zentrel::testing {

class PrivateSessionBus {
public:
    PrivateSessionBus();
    ~PrivateSessionBus();
    PrivateSessionBus(const PrivateSessionBus&) = delete;
    PrivateSessionBus& operator=(const PrivateSessionBus&) = delete;

    // Empty when no dbus-daemon could be started.
    [[nodiscard]] const std::string& address() const { return address_; }

private:
    std::string address_;
    pid_t pid_ = -1;
};

}  // namespace zentrel::testing
