#pragma once
// Collects the "[Zentrel] " warnings printed while it lives.

#include "platform/text/Warnings.hpp"

#include <mutex>
#include <string>
#include <vector>

namespace zentrel::testing {

class WarningCapture {
public:
    WarningCapture()
        : previous_(platform::setWarningSink([this](const std::string& line) {
              std::lock_guard lock(mutex_);
              lines_.push_back(line);
          })) {}
    ~WarningCapture() { platform::setWarningSink(std::move(previous_)); }
    WarningCapture(const WarningCapture&) = delete;
    WarningCapture& operator=(const WarningCapture&) = delete;

    [[nodiscard]] std::vector<std::string> lines() const {
        std::lock_guard lock(mutex_);
        return lines_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
    platform::WarningSink previous_;
};

}  // namespace zentrel::testing
