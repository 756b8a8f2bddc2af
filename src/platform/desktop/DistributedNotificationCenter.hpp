#pragma once
// System-wide notifications between our own processes: a name and nothing
// else. The main app posts; the input-method program listens.

#include <string_view>

namespace zentrel::platform {

class DistributedNotificationCenter {
public:
    virtual ~DistributedNotificationCenter() = default;

    // Posts `name` to every listener of this user session; false when it could
    // not be sent.
    virtual bool post(std::string_view name) = 0;
};

}  // namespace zentrel::platform
