#pragma once
// Starts a new instance of the running app (the restart after a permission
// change). The answer may arrive on any thread.

#include <functional>

namespace zentrel::platform {

class AppInstanceLauncher {
public:
    virtual ~AppInstanceLauncher() = default;
    virtual void openNewInstance(std::function<void(bool started)> done) = 0;
};

}  // namespace zentrel::platform
