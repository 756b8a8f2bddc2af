#include "platform/desktop/NotificationsOnWorker.hpp"

#include "doubles/ManualExecutor.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace zentrel::platform {
namespace {

struct RecordingSenders final : UserNotificationCenter, DistributedNotificationCenter {
    void add(const UserNotification& notification) override { sent.push_back(notification.title); }
    bool post(std::string_view name) override {
        sent.emplace_back(name);
        return false;
    }
    std::vector<std::string> sent;
};

// Sent on the worker, in order, even after the object that took them is gone.
TEST(NotificationsOnWorkerTest, EachIsSentOnTheWorkerInTheOrderGiven) {
    testing::ManualExecutor worker;
    auto senders = std::make_shared<RecordingSenders>();
    {
        UserNotificationsOnWorker shown(worker, senders);
        DistributedNotificationsOnWorker posted(worker, senders);
        shown.add({"cleaned", "Cleaned", ""});
        EXPECT_TRUE(posted.post("settings changed")) << "handed over, though this sender would fail it";
        shown.add({"boosted", "Boosted", ""});
    }
    EXPECT_TRUE(senders->sent.empty()) << "nothing is sent on the caller's thread";
    worker.runAll();
    EXPECT_EQ(senders->sent, (std::vector<std::string>{"Cleaned", "settings changed", "Boosted"}));
}

}  // namespace
}  // namespace zentrel::platform
