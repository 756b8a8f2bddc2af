#pragma once
// The updater's user interface in tests: records what it was asked to show.

#include "services/updates/UpdateUserDriver.hpp"

#include <string>
#include <vector>

namespace zentrel::testing {

class RecordingUpdateUserDriver final : public services::UpdateUserDriver {
public:
    // One line per outcome: "found <display> <build>", "up to date", "error <message>".
    std::vector<std::string> shown;

    void showUpdateFound(const services::AppcastItem& item) override {
        shown.push_back("found " + item.displayVersionString + " " + item.versionString);
    }
    void showUpToDate() override { shown.emplace_back("up to date"); }
    void showUpdateError(const std::string& message) override { shown.push_back("error " + message); }
};

}  // namespace zentrel::testing
