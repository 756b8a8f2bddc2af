#pragma once
// The updater's own interface: how a check the user started shows its
// outcome (a dialog in the app, a line in the command-line tool).

#include "services/updates/AppcastItem.hpp"

#include <string>

namespace zentrel::services {

class UpdateUserDriver {
public:
    virtual ~UpdateUserDriver() = default;
    virtual void showUpdateFound(const AppcastItem& item) = 0;
    virtual void showUpToDate() = 0;
    virtual void showUpdateError(const std::string& message) = 0;
};

}  // namespace zentrel::services
