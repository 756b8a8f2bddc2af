#include "platform/input/TapEventQueue.hpp"

#include "doubles/ManualMainQueue.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zentrel::platform {
namespace {

TapEvent key(char16_t c) { return {TapEventType::keyDown, 0, 0, std::u16string(1, c), 0, true}; }

class TapEventQueueTest : public ::testing::Test {
protected:
    // Each handled key as its character (an arrival of ours as "*"), with "+"
    // when more of the user's events waited behind it.
    std::vector<std::string> handled;
    testing::ManualMainQueue main;
    TapEventQueue queue{main, [this](const TapEvent& event, bool) {
                            const char shown = event.unicode.empty() ? '*' : static_cast<char>(event.unicode.front());
                            handled.push_back(std::string(1, shown) +
                                              (event.followedByMoreEvents ? "+" : ""));
                            return true;
                        }};
};

TEST_F(TapEventQueueTest, EventsThatPiledUpGoOverTogetherAndSayMoreWaitBehindThem) {
    queue.push(key(u'a'));
    queue.push(key(u'b'));
    queue.push(key(u'c'));
    EXPECT_EQ(main.pendingCount(), 1U) << "one drain for the pile";
    (void)main.drain();
    EXPECT_EQ(handled, (std::vector<std::string>{"a+", "b+", "c"}));

    queue.push(key(u'd'));
    (void)main.drain();
    EXPECT_EQ(handled.back(), "d") << "a lone event has nothing behind it";
}

TEST_F(TapEventQueueTest, ArrivalsOfOurKeysBehindAnEventAreNotMoreOfTheUsers) {
    queue.push(key(u'a'));
    queue.push(TapEvent{TapEventType::postedKeyArrived});
    queue.push(key(u'b'));
    queue.push(TapEvent{TapEventType::postedKeyArrived});
    (void)main.drain();
    EXPECT_EQ(handled, (std::vector<std::string>{"a+", "*+", "b", "*"}));
}

TEST_F(TapEventQueueTest, NothingIsHandledAfterStopEvenWhenAlreadyPosted) {
    queue.push(key(u'a'));
    queue.stop();
    queue.push(key(u'b'));
    (void)main.drain();
    EXPECT_TRUE(handled.empty());
}

}  // namespace
}  // namespace zentrel::platform
