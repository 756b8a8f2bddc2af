#include "ui/presenters/OnboardingPresenter.hpp"

#include "doubles/ScopedDesktopTexts.hpp"

#include <gtest/gtest.h>

namespace zentrel::ui {
namespace {

TEST(OnboardingPresenter, ThePromisesSayWhatIsTrueInBothLanguages) {
    struct Case {
        const char* language;
        std::vector<const char*> noteSays;   // the update check, and where it is turned off
        std::vector<const char*> safetySays;  // seen, selected and confirmed; one copy kept
        const char* neverSaid;
    };
    for (const auto& c : std::vector<Case>{
             {"en", {"update check", "Settings"}, {"selected and confirmed", "one copy"}, "offline"},
             {"vi", {"kiểm tra cập nhật", "Cài đặt"}, {"được chọn", "xác nhận", "một bản"}, "ngoại tuyến"},
         }) {
        testing::ScopedDesktopTexts texts(c.language);
        const auto note = platform::localized(networkNote().text);
        const auto safety = platform::localized(onboardingSteps()[1].subtitle);
        for (const char* part : c.noteSays) EXPECT_NE(note.find(part), std::string::npos) << c.language << ": " << note;
        for (const char* part : c.safetySays)
            EXPECT_NE(safety.find(part), std::string::npos) << c.language << ": " << safety;
        EXPECT_EQ(note.find(c.neverSaid), std::string::npos) << note;
        EXPECT_EQ(safety.find("never touched"), std::string::npos) << safety;
    }
}

TEST(OnboardingPresenter, DotsAndBarFollowTheStep) {
    struct Case {
        int step;
        std::vector<PageDot> dots;
        OnboardingBar bar;
        std::string label;
    };
    const PageDot wide{true, true}, done{true, false}, ahead{false, false};
    for (const auto& c : std::vector<Case>{
             {0, {wide, ahead, ahead, ahead}, {false, true}, "Onboarding step 1 of 4"},
             {2, {done, done, wide, ahead}, {true, true}, "Onboarding step 3 of 4"},
             {3, {done, done, done, wide}, {true, false}, "Onboarding step 4 of 4"},
         }) {
        EXPECT_EQ(pageDots(c.step, 4), c.dots) << c.step;
        EXPECT_EQ(onboardingBar(c.step, 4), c.bar) << c.step;
        EXPECT_EQ(pageDotsLabel(c.step, 4), c.label);
    }
}

TEST(OnboardingPresenter, ConfirmAdvancesUntilTheLastStepWhereItFinishes) {
    OnboardingPager pager;
    std::vector<int> shown;
    auto sub = pager.step.observe([&](const int& step) { shown.push_back(step); });
    EXPECT_FALSE(pager.confirm());
    pager.back();
    pager.advance();
    EXPECT_FALSE(pager.confirm());
    EXPECT_FALSE(pager.confirm());
    EXPECT_TRUE(pager.confirm()) << "the last step's Ctrl+Return finishes";
    pager.advance();  // no Continue on the last step
    EXPECT_EQ(shown, (std::vector<int>{1, 0, 1, 2, 3}));
    OnboardingPager first;
    first.back();  // no Back on the first step
    EXPECT_EQ(first.step(), 0);
}

TEST(OnboardingPresenter, FinishTitleFollowsTheRequiredPermissions) {
    EXPECT_STREQ(finishTitle(true), "Get Started");
    EXPECT_STREQ(finishTitle(false), "Continue");
}

TEST(OnboardingPresenter, TheTypingFeatureLeadsOnlyForAVietnamesePreference) {
    struct Case {
        std::vector<std::string> languages;
        std::size_t rows;
    };
    for (const auto& c : std::vector<Case>{{{"en-US"}, 2}, {{"en-US", "vi-VN"}, 3}, {{"vi"}, 3}, {{"VI"}, 2}, {{}, 2}}) {
        const auto rows = featureRows(c.languages);
        ASSERT_EQ(rows.size(), c.rows);
        EXPECT_STREQ(rows.front().title, c.rows == 3 ? "Vietnamese input method" : "Startup & privacy");
        EXPECT_STREQ(rows.back().title, "Disk overview");
    }
}

}  // namespace
}  // namespace zentrel::ui
