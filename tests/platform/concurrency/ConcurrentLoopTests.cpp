#include "platform/concurrency/ConcurrentLoop.hpp"

#include "platform/concurrency/TaskPool.hpp"

#include "doubles/ManualExecutor.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

namespace zentrel::platform {
namespace {

TEST(ConcurrentLoopTest, EveryIndexRunsOnceWhetherOrNotThePoolHelps) {
    TaskPool pool(4);
    testing::ManualExecutor idle;  // never runs its jobs during the loop
    for (Executor* workers : std::initializer_list<Executor*>{&pool, &idle, nullptr}) {
        std::vector<std::atomic<int>> runs(1000);
        forEachConcurrently(workers, runs.size(), [&](std::size_t i) { ++runs[i]; }, 8);
        for (const auto& count : runs) ASSERT_EQ(count.load(), 1);
    }
    idle.runAll();  // helpers that start late find nothing left
}

}  // namespace
}  // namespace zentrel::platform
