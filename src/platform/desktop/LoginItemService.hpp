#pragma once
// Starting the main app when the user logs in.

#include <optional>
#include <string>

namespace zentrel::platform {

class LoginItemService {
public:
    virtual ~LoginItemService() = default;
    // Each gives an error text on failure, nothing on success.
    [[nodiscard]] virtual std::optional<std::string> registerApp() = 0;
    [[nodiscard]] virtual std::optional<std::string> unregisterApp() = 0;
    [[nodiscard]] virtual bool isRegistered() const = 0;
};

}  // namespace zentrel::platform
