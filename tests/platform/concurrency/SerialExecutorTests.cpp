#include "doubles/ManualMainQueue.hpp"
#include "platform/concurrency/SerialExecutor.hpp"
#include "platform/concurrency/TaskPool.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <vector>

namespace zentrel::platform {
namespace {

TEST(SerialExecutorTest, JobsOfOneObjectNeverOverlapAndRunInOrder) {
    TaskPool pool(8);
    constexpr int kObjects = 6;
    constexpr int kJobs = 2000;
    struct Object {
        explicit Object(Executor& pool) : executor(pool) {}
        SerialExecutor executor;
        std::atomic<int> running{0};
        std::atomic<bool> overlapped{false};
        std::vector<int> order;  // touched only by the object's own jobs
    };
    std::vector<std::unique_ptr<Object>> objects;
    for (int i = 0; i < kObjects; ++i) objects.push_back(std::make_unique<Object>(pool));

    std::atomic<int> finished{0};
    for (int job = 0; job < kJobs; ++job) {
        for (auto& object : objects) {
            object->executor.submit([o = object.get(), job, &finished] {
                if (o->running.fetch_add(1) != 0) o->overlapped = true;
                o->order.push_back(job);
                volatile int spin = 0;
                for (int k = 0; k < 200; ++k) spin = spin + k;
                o->running.fetch_sub(1);
                finished.fetch_add(1);
            });
        }
    }
    // Each object reports on the main queue once its queue has run through.
    testing::ManualMainQueue main;
    for (auto& object : objects) {
        object->executor.run(main, [] {}, [&] {});
    }
    ASSERT_TRUE(main.runUntil([&] { return finished.load() == kObjects * kJobs; }));
    for (auto& object : objects) {
        EXPECT_FALSE(object->overlapped);
        ASSERT_EQ(object->order.size(), static_cast<size_t>(kJobs));
        for (int i = 0; i < kJobs; ++i) ASSERT_EQ(object->order[i], i);
    }
}

TEST(SerialExecutorTest, ProgressAndResultArriveOnTheMainQueueInOrder) {
    TaskPool pool(4);
    SerialExecutor executor(pool);
    testing::ManualMainQueue main;
    std::vector<int> seen;
    int result = 0;
    executor.run(
        main,
        [&main, &seen] {
            for (int i = 0; i < 500; ++i) main.post([&seen, i] { seen.push_back(i); });
            return 42;
        },
        [&result](int value) { result = value; });

    ASSERT_TRUE(main.runUntil([&] { return result != 0; }));
    EXPECT_EQ(result, 42);
    ASSERT_EQ(seen.size(), 500u);
    for (int i = 0; i < 500; ++i) EXPECT_EQ(seen[i], i);
}

TEST(SerialExecutorTest, WorkRunsOffTheCallingThread) {
    TaskPool pool(2);
    SerialExecutor executor(pool);
    testing::ManualMainQueue main;
    auto caller = std::this_thread::get_id();
    std::optional<std::thread::id> worker;
    executor.run(main, [] { return std::this_thread::get_id(); },
                 [&worker](std::thread::id id) { worker = id; });
    ASSERT_TRUE(main.runUntil([&] { return worker.has_value(); }));
    EXPECT_NE(*worker, caller);
}

}  // namespace
}  // namespace zentrel::platform
