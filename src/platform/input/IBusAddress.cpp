#include "platform/input/IBusAddress.hpp"

#include <ibus.h>

#include <mutex>

namespace zentrel::platform {

std::optional<std::string> ibusAddress() {
    static std::mutex lock;
    const std::scoped_lock held(lock);
    ibus_init();
    const gchar* address = ibus_get_address();
    if (address == nullptr) return std::nullopt;
    return std::string(address);
}

}  // namespace zentrel::platform
