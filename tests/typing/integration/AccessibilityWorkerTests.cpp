#include "typing/integration/AccessibilityWorker.hpp"

#include "doubles/ManualMainQueue.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <future>

namespace zentrel::typing {
namespace {

// The bus is asked on the worker's thread; until it says yes, fields are typed into, not written.
TEST(AccessibilityWorkerTest, DirectWritesWaitForTheAccessibilityBusToAnswerYes) {
    for (const bool answers : {true, false}) {
        testing::ManualMainQueue main;
        std::promise<bool> answer;
        std::atomic<bool> madeFor = !answers;
        AccessibilityWorker worker(main, [reply = answer.get_future().share()] { return reply.get(); },
                                   [&madeFor](bool reachable) {
                                       madeFor = reachable;
                                       return std::make_unique<platform::NoAccessibilityElements>();
                                   });
        EXPECT_FALSE(worker.replaceFocusedValue("Viet", "Việt")) << "the bus has not answered yet";
        answer.set_value(answers);
        bool captured = false;
        worker.capture([&](const IMEContext&) { captured = true; });
        ASSERT_TRUE(main.runUntil([&] { return captured; }));
        EXPECT_EQ(madeFor, answers) << "the tree is made with the bus's answer";
        EXPECT_EQ(worker.replaceFocusedValue("Viet", "Việt"), answers);
    }
}

}  // namespace
}  // namespace zentrel::typing
