#include "doubles/PrivateSessionBus.hpp"

#include <csignal>
#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace zentrel::testing {

PrivateSessionBus::PrivateSessionBus() {
    // --fork returns once the bus listens; the address and pid come back on
    // one line each.
    FILE* out = popen("dbus-daemon --session --fork --print-address=1 --print-pid=1 2>/dev/null", "r");
    if (!out) return;
    char line[1024];
    std::string address, pid;
    if (fgets(line, sizeof line, out)) address = line;
    if (fgets(line, sizeof line, out)) pid = line;
    pclose(out);
    while (!address.empty() && (address.back() == '\n')) address.pop_back();
    if (address.empty() || pid.empty()) return;
    address_ = address;
    pid_ = static_cast<pid_t>(std::stol(pid));
}

PrivateSessionBus::~PrivateSessionBus() {
    if (pid_ > 0) kill(pid_, SIGTERM);
}

}  // namespace zentrel::testing
