#pragma once
// Whether a browser is running on a cookie store. Chromium-family browsers
// hold no database lock between writes, so they are known by the
// "SingletonLock" link of their user-data folder ("host-PID"); Firefox by the
// "lock" link of its profile ("address:+PID"). Either counts only while the
// process it names is alive on this machine.

#include <string>

namespace zentrel::scanners {

[[nodiscard]] bool isHeldByRunningBrowser(const std::string& storePath);

}  // namespace zentrel::scanners
