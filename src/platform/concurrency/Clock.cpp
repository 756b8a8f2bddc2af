#include "platform/concurrency/Clock.hpp"

namespace zentrel::platform {

Date SystemClock::now() const {
    using namespace std::chrono;
    auto since1970 = duration<double>(system_clock::now().time_since_epoch()).count();
    return Date::fromTimeIntervalSince1970(since1970);
}

SystemClock& SystemClock::shared() {
    static SystemClock clock;
    return clock;
}

}  // namespace zentrel::platform
