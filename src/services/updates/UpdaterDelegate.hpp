#pragma once
// What the updater asks of and tells its owner. All calls come on the main
// thread.

#include "services/updates/AppcastItem.hpp"

#include <optional>
#include <string>
#include <vector>

namespace zentrel::services {

class UpdaterDelegate {
public:
    virtual ~UpdaterDelegate() = default;
    [[nodiscard]] virtual std::string feedURLString() = 0;
    // The release to offer from the feed's items, if any.
    [[nodiscard]] virtual std::optional<AppcastItem> bestValidUpdate(const std::vector<AppcastItem>& items) = 0;
    // A check found `item`; for a check the user started the user driver
    // shows it next.
    virtual void didFindValidUpdate(const AppcastItem& item) = 0;
    // The user driver has shown `item` to the user.
    virtual void didReceiveUserAttention(const AppcastItem& item) = 0;
    // A check ended, whatever its outcome.
    virtual void didFinishUpdateCycle() = 0;
};

}  // namespace zentrel::services
