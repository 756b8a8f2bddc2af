#include "doubles/FakeClock.hpp"
#include "platform/concurrency/MainLoop.hpp"
#include "platform/settings/Observable.hpp"

#include <gtest/gtest.h>

#include <thread>

namespace zentrel::platform {
namespace {

using namespace std::chrono_literals;

TEST(FakeClockTest, TimersFireInDueOrderAsTimeAdvances) {
    testing::FakeClock clock;
    std::vector<std::string> fired;
    auto start = clock.now();
    auto repeating = clock.scheduleRepeating(2s, [&] { fired.push_back("every2s"); });
    auto once = clock.scheduleOnce(3s, [&] { fired.push_back("once3s"); });
    auto cancelled = clock.scheduleOnce(1s, [&] { fired.push_back("never"); });
    cancelled.cancel();

    clock.advance(5s);
    EXPECT_EQ(fired, (std::vector<std::string>{"every2s", "once3s", "every2s"}));
    EXPECT_DOUBLE_EQ(clock.now().timeIntervalSince(start), 5.0);

    repeating.cancel();
    clock.advance(10s);
    EXPECT_EQ(fired.size(), 3u);
    EXPECT_EQ(clock.activeTimerCount(), 0u);
}

TEST(FakeClockTest, DestroyingTheHandleStopsTheTimer) {
    testing::FakeClock clock;
    int ticks = 0;
    {
        auto timer = clock.scheduleRepeating(1s, [&] { ++ticks; });
        clock.advance(2s);
    }
    clock.advance(5s);
    EXPECT_EQ(ticks, 2);
}

TEST(MainLoopTest, RunsPostedJobsFromOtherThreadsThenStops) {
    MainLoop loop;
    std::vector<int> order;
    std::thread producer([&] {
        for (int i = 0; i < 3; ++i) loop.post([&order, i] { order.push_back(i); });
        loop.post([&] { loop.quit(); });
    });
    loop.run();
    producer.join();
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
}

TEST(MainLoopTest, OneShotTimerFiresOnTheLoop) {
    MainLoop loop;
    bool fired = false;
    auto timer = loop.scheduleOnce(1ms, [&] { fired = true; });
    loop.runUntil([&] { return fired; });
    EXPECT_TRUE(fired);
}

TEST(PublishedTest, NotifiesOnlyWhenTheValueChanges) {
    Published<int> value{1};
    std::vector<int> seen;
    auto subscription = value.observe([&](const int& v) { seen.push_back(v); });
    EXPECT_FALSE(value.set(1));
    EXPECT_TRUE(value.set(2));
    value.modify([](int& v) { v += 0; });
    value.modify([](int& v) { v += 3; });
    EXPECT_EQ(seen, (std::vector<int>{2, 5}));

    subscription.reset();
    value.set(9);
    EXPECT_EQ(seen.size(), 2u);
}

TEST(SignalTest, ObserverMayUnsubscribeWhileBeingCalled) {
    Signal<int> signal;
    int calls = 0;
    Subscription self;
    self = signal.subscribe([&](const int&) {
        ++calls;
        self.reset();
    });
    signal.emit(1);
    signal.emit(2);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(signal.observerCount(), 0u);
}

}  // namespace
}  // namespace zentrel::platform
