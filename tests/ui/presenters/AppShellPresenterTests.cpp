#include "ui/presenters/MainWindowBranch.hpp"
#include "ui/presenters/MainWindowStartup.hpp"
#include "ui/presenters/MenuBarIconState.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zentrel::ui {
namespace {

using Branch = MainWindowBranch;

TEST(MainWindowBranch, OnboardingThenTheAccessCheckThenContentOrTheAccessScreen) {
    EXPECT_EQ(mainWindowBranch(false, true, true), Branch::onboarding);
    EXPECT_EQ(mainWindowBranch(true, true, true), Branch::checkingAccess);
    EXPECT_EQ(mainWindowBranch(true, false, true), Branch::content);
    EXPECT_EQ(mainWindowBranch(true, false, false), Branch::fullDiskAccess);
    EXPECT_EQ(frameOf(Branch::onboarding), (WindowFrame{680, 640, true}));
    EXPECT_EQ(frameOf(Branch::checkingAccess), (WindowFrame{700, 520, true}));
    EXPECT_EQ(frameOf(Branch::fullDiskAccess), (WindowFrame{700, 520, true}));
    EXPECT_EQ(frameOf(Branch::content), (WindowFrame{900, 600, false}));
    EXPECT_STREQ(typingToggleTitle(true), "Tắt bộ gõ tiếng Việt");
    EXPECT_STREQ(typingToggleTitle(false), "Bật bộ gõ tiếng Việt");
    // At twice the scale a 1920x1080 screen leaves 960x540 points, less a panel.
    EXPECT_EQ(fittedFrame(frameOf(Branch::content), 960, 516), (WindowFrame{900, 516, false}));
    EXPECT_EQ(fittedFrame(frameOf(Branch::content), 1920, 1050), frameOf(Branch::content));
}

TEST(MenuBarIcon, PressureRuleCapsTheUsedShareAndComparesStrictly) {
    using P = services::MemoryPressure;
    const auto pressure = [](std::int64_t total, std::int64_t used, std::int64_t compressed) {
        return services::MemorySnapshot{total, used, 0, 0, compressed}.iconPressure();
    };
    EXPECT_EQ(pressure(0, 10, 10), P::normal);
    EXPECT_EQ(pressure(100, 100, 0), P::critical);
    EXPECT_EQ(pressure(100, 250, 0), P::critical);
    EXPECT_EQ(pressure(100, 80, 5), P::warning);
    EXPECT_EQ(pressure(100, 50, 13), P::warning);
    EXPECT_EQ(pressure(100, 50, 26), P::critical);
    EXPECT_EQ(pressure(100, 88, 25), P::warning);
}

TEST(MenuBarIcon, BadgeOnlyWhenCriticalAndIdle) {
    using P = services::MemoryPressure;
    using G = MenuBarIconState::Glyph;
    const auto scanning = model::ScanState{model::scan_state::Scanning{}};
    const auto cleaning = model::ScanState{model::scan_state::Cleaning{}};
    const auto idle = model::ScanState{model::scan_state::Idle{}};
    EXPECT_EQ(menuBarIconState(idle, P::critical), (MenuBarIconState{G::app, false, true, "Zentrel — memory pressure high"}));
    EXPECT_EQ(menuBarIconState(scanning, P::critical),
              (MenuBarIconState{G::scanning, true, false, "Zentrel — memory pressure high"}));
    EXPECT_EQ(menuBarIconState(cleaning, P::warning), (MenuBarIconState{G::cleaning, true, false, "Zentrel"}));
    EXPECT_EQ(menuBarIconState(idle, P::normal), (MenuBarIconState{G::app, false, false, "Zentrel"}));
}

TEST(MainWindowStartup, RunsInOrderWithTheAutomaticScanOnlyWhenDueAndEmpty) {
    for (const auto& [due, hasItems, scans] :
         std::vector<std::tuple<bool, bool, bool>>{{true, false, true}, {true, true, false}, {false, false, false}}) {
        std::vector<std::string> steps;
        const auto step = [&steps](const char* name) { return [&steps, name] { steps.emplace_back(name); }; };
        runMainWindowStartup({step("notifications"), step("authorization"), step("updater"), step("restore"),
                              [due = due] { return due; }, [hasItems = hasItems] { return hasItems; }, step("scan"),
                              step("typing"), step("intents")});
        std::vector<std::string> expected{"notifications", "authorization", "updater", "restore"};
        if (scans) expected.emplace_back("scan");
        expected.insert(expected.end(), {"typing", "intents"});
        EXPECT_EQ(steps, expected);
    }
}

}  // namespace
}  // namespace zentrel::ui
