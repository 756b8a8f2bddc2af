#include "platform/desktop/NotificationsOnWorker.hpp"

#include <string>
#include <utility>

namespace zentrel::platform {

UserNotificationsOnWorker::UserNotificationsOnWorker(Executor& worker, std::shared_ptr<UserNotificationCenter> sender)
    : worker_(worker), sender_(std::move(sender)) {}

void UserNotificationsOnWorker::add(const UserNotification& notification) {
    worker_.submit([sender = sender_, notification] { sender->add(notification); });
}

DistributedNotificationsOnWorker::DistributedNotificationsOnWorker(Executor& worker,
                                                                   std::shared_ptr<DistributedNotificationCenter> sender)
    : worker_(worker), sender_(std::move(sender)) {}

bool DistributedNotificationsOnWorker::post(std::string_view name) {
    worker_.submit([sender = sender_, name = std::string(name)] { (void)sender->post(name); });
    return true;
}

}  // namespace zentrel::platform
