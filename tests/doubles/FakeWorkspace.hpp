#pragma once
// A workspace of made-up running applications that records each quit request
// and answers as told.

#include "services/processes/Workspace.hpp"

#include <functional>
#include <set>
#include <utility>
#include <vector>

namespace zentrel::testing {

class FakeWorkspace final : public services::Workspace {
public:
    [[nodiscard]] std::vector<services::RunningApplication> runningApplications() const override {
        return applications;
    }
    bool terminate(const services::RunningApplication& application, bool force) override {
        requests.emplace_back(application.processIdentifier, force);
        if (refusing.contains(application.processIdentifier)) return false;
        if (onTerminate) onTerminate(application.processIdentifier, force);
        return true;
    }

    void add(std::int32_t pid, std::string name, std::string bundleID, bool isActive = false) {
        services::RunningApplication application;
        application.processIdentifier = pid;
        application.localizedName = std::move(name);
        application.bundleIdentifier = std::move(bundleID);
        application.icon = "icon-" + std::to_string(pid);
        application.isActive = isActive;
        applications.push_back(std::move(application));
    }

    std::vector<services::RunningApplication> applications;
    std::vector<std::pair<std::int32_t, bool>> requests;  // pid, force
    std::set<std::int32_t> refusing;
    std::function<void(std::int32_t pid, bool force)> onTerminate;
};

}  // namespace zentrel::testing
