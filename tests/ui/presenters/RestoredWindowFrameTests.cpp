#include "ui/presenters/RestoredWindowFrame.hpp"

#include <gtest/gtest.h>

namespace zentrel::ui {
namespace {

// A 1400 x 900 screen whose top panel takes 27 pixels, and a second screen to its right.
constexpr ScreenRect kWorkArea{0, 27, 1400, 873};
constexpr ScreenRect kRightScreen{1400, 0, 1920, 1080};

TEST(RestoredWindowFrameTest, TheFrameComesBackInsideTheWorkArea) {
    struct Case {
        const char* name;
        ScreenRect remembered;
        std::vector<ScreenRect> workAreas;
        ScreenRect expected;
    };
    const std::vector<Case> cases{
        {"fits", {100, 60, 1100, 750}, {kWorkArea}, {100, 60, 1100, 750}},
        {"off the bottom", {150, 175, 1100, 750}, {kWorkArea}, {150, 150, 1100, 750}},
        {"off the right", {500, 60, 1100, 750}, {kWorkArea}, {300, 60, 1100, 750}},
        {"above the panel", {100, 0, 1100, 750}, {kWorkArea}, {100, 27, 1100, 750}},
        {"larger than the work area", {-20, 10, 1600, 1000}, {kWorkArea}, {0, 27, 1400, 873}},
        {"on the screen it lies most on", {1300, 900, 1100, 750}, {kWorkArea, kRightScreen}, {1400, 330, 1100, 750}},
        {"its screen gone", {2000, 100, 1100, 750}, {kWorkArea}, {150, 88, 1100, 750}},
        {"no screen known", {2000, 100, 1100, 750}, {}, {2000, 100, 1100, 750}},
    };
    for (const auto& c : cases) EXPECT_EQ(restoredWindowFrame(c.remembered, c.workAreas), c.expected) << c.name;
}

}  // namespace
}  // namespace zentrel::ui
