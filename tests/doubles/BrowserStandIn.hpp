#pragma once
// A live process whose program is named like a browser's ("firefox",
// "chrome"...): a copy of `sleep` under that name in a folder of its own.
// Tests point a browser's lock at it without running any browser; it ends
// with the object.

#include "doubles/TempDir.hpp"

#include <string>
#include <sys/types.h>

namespace zentrel::testing {

class BrowserStandIn {
public:
    explicit BrowserStandIn(const std::string& programName);
    ~BrowserStandIn();
    BrowserStandIn(const BrowserStandIn&) = delete;
    BrowserStandIn& operator=(const BrowserStandIn&) = delete;

    [[nodiscard]] pid_t pid() const { return pid_; }

private:
    TempDir folder_;
    pid_t pid_ = -1;
};

// The process of a `sleep` under its own name: alive, and no browser.
class SleepingProcess {
public:
    SleepingProcess();
    ~SleepingProcess();
    SleepingProcess(const SleepingProcess&) = delete;
    SleepingProcess& operator=(const SleepingProcess&) = delete;

    [[nodiscard]] pid_t pid() const { return pid_; }

private:
    pid_t pid_ = -1;
};

}  // namespace zentrel::testing
