#pragma once
// Notifications handed to a worker, which sends them one at a time in the
// order given, so the main thread never waits on the session bus. Each
// sender is shared with the jobs that use it, so it outlives this object.

#include "platform/concurrency/Executor.hpp"
#include "platform/desktop/DistributedNotificationCenter.hpp"
#include "platform/desktop/UserNotificationCenter.hpp"

#include <memory>
#include <string_view>

namespace zentrel::platform {

class UserNotificationsOnWorker final : public UserNotificationCenter {
public:
    // `worker` runs one job at a time.
    UserNotificationsOnWorker(Executor& worker, std::shared_ptr<UserNotificationCenter> sender);
    void add(const UserNotification& notification) override;

private:
    Executor& worker_;
    std::shared_ptr<UserNotificationCenter> sender_;
};

class DistributedNotificationsOnWorker final : public DistributedNotificationCenter {
public:
    // `worker` runs one job at a time.
    DistributedNotificationsOnWorker(Executor& worker, std::shared_ptr<DistributedNotificationCenter> sender);
    // True once handed to the worker: whether it was sent is not heard.
    bool post(std::string_view name) override;

private:
    Executor& worker_;
    std::shared_ptr<DistributedNotificationCenter> sender_;
};

}  // namespace zentrel::platform
