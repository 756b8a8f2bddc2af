#pragma once
// What the first-run pager shows: its four steps and their rows, the page
// dots, the Back and Continue bar, the finish button's title, and the step
// the user is on. Texts are translation keys.

#include "model/CategoryType.hpp"
#include "platform/settings/Observable.hpp"
#include "platform/text/Localization.hpp"
#include "ui/presenters/TintToken.hpp"

#include <array>
#include <string>
#include <vector>

namespace zentrel::ui {

struct OnboardingStep {
    const char* icon;
    TintToken tint;
    const char* title;
    const char* subtitle;
    bool compactHero;
};

// Welcome, safety, features, permissions, in page order.
[[nodiscard]] const std::array<OnboardingStep, 4>& onboardingSteps();

struct OnboardingRow {
    const char* icon;
    TintToken tint;
    const char* title;
    const char* detail;

    bool operator==(const OnboardingRow&) const = default;
};

// Rows naming only the categories in `categories` (those this desktop shows).
[[nodiscard]] std::vector<OnboardingRow> welcomeRows(const std::vector<model::CategoryType>& categories);
[[nodiscard]] std::vector<OnboardingRow> safetyRows(const std::vector<model::CategoryType>& categories);
// The note under the permissions: the one thing sent over the network, and where to turn it off.
struct OnboardingNote {
    const char* icon;
    const char* text;
};
[[nodiscard]] OnboardingNote networkNote();
// The typing row leads only when a preferred language begins with "vi".
[[nodiscard]] std::vector<OnboardingRow> featureRows(const std::vector<std::string>& preferredLanguages);

struct PageDot {
    bool filled;  // the accent colour: this step or one before it
    bool wide;    // the current step

    bool operator==(const PageDot&) const = default;
};

[[nodiscard]] std::vector<PageDot> pageDots(int step, int totalSteps);
// "Onboarding step 2 of 4", localized.
[[nodiscard]] std::string pageDotsLabel(int step, int totalSteps);

struct OnboardingBar {
    bool showsBack;
    bool showsContinue;

    bool operator==(const OnboardingBar&) const = default;
};

[[nodiscard]] OnboardingBar onboardingBar(int step, int totalSteps);
// N_("Get Started") once the required permissions are granted, else "Continue".
[[nodiscard]] const char* finishTitle(bool requiredPermissionsGranted);

// The step shown, moved by Back, Continue and Ctrl+Return; the last step's
// Ctrl+Return finishes instead.
class OnboardingPager final {
public:
    explicit OnboardingPager(int totalSteps = 4) : totalSteps_(totalSteps) {}

    platform::Published<int> step{0};

    [[nodiscard]] int totalSteps() const { return totalSteps_; }
    [[nodiscard]] bool isLastStep() const { return step() == totalSteps_ - 1; }
    void back();
    void advance();
    // Ctrl+Return: Continue before the last step; there it answers true, for finish.
    [[nodiscard]] bool confirm();

private:
    int totalSteps_;
};

}  // namespace zentrel::ui
