#pragma once
// A notification center that only remembers what was posted.

#include "platform/desktop/DistributedNotificationCenter.hpp"

#include <string>
#include <vector>

namespace zentrel::testing {

class RecordingNotificationCenter final : public platform::DistributedNotificationCenter {
public:
    bool post(std::string_view name) override {
        posted.emplace_back(name);
        return true;
    }

    std::vector<std::string> posted;
};

}  // namespace zentrel::testing
