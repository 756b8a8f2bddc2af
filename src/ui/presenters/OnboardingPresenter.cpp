#include "ui/presenters/OnboardingPresenter.hpp"

#include "platform/text/Localization.hpp"
#include "platform/text/NumberFormatter.hpp"

#include <algorithm>

namespace zentrel::ui {

const std::array<OnboardingStep, 4>& onboardingSteps() {
    static const std::array<OnboardingStep, 4> steps{{
        {"sparkles", TintToken::accent, N_("Your Mac, but faster"),
         N_("Zentrel finds files your Mac no longer needs \u2014 caches, logs, old build files \u2014 and removes them "
         "safely so you reclaim space and feel snappier."),
         false},
        {"checkmark.shield.fill", TintToken::health, N_("Nothing important is ever deleted"),
         N_("Nothing is deleted until you have seen it selected and confirmed, unless you turn on Auto-Clean for safe "
            "items. Of duplicates, one copy is always kept."),
         false},
        {"square.grid.2x2.fill", TintToken::ai, N_("More than a cleaner"),
         N_("Zentrel includes utilities you can turn on anytime from the sidebar."), false},
        {"lock.open.fill", TintToken::ai, N_("A few permissions"),
         N_("Each permission unlocks a specific feature. Already granted items show ON \u2014 tap the rest to open the "
         "right Settings pane."),
         true},
    }};
    return steps;
}

namespace {

bool has(const std::vector<model::CategoryType>& categories, model::CategoryType category) {
    return std::ranges::find(categories, category) != categories.end();
}

}  // namespace

OnboardingNote networkNote() {
    return {"lock.shield.fill",
            N_("Nothing leaves your computer except the update check, which you can turn off in Settings")};
}

std::vector<OnboardingRow> welcomeRows(const std::vector<model::CategoryType>& categories) {
    using model::CategoryType;
    const bool macPlaces = has(categories, CategoryType::xcode) || has(categories, CategoryType::iosBackups);
    return {
        {"magnifyingglass", TintToken::accent, N_("Scans in seconds"),
         macPlaces ? N_("Caches, Xcode, duplicates, iOS backups, and more")
                   : N_("Caches, developer caches, duplicates, large files, and more")},
        {"trash.fill", TintToken::health, N_("Cleans safely"), N_("Only removes files your Mac can rebuild")},
        {"menubar.rectangle", TintToken::review, N_("Lives in your menu bar"),
         N_("Background scans and quick access without opening the window")},
    };
}

std::vector<OnboardingRow> safetyRows(const std::vector<model::CategoryType>& categories) {
    const bool xcode = has(categories, model::CategoryType::xcode);
    return {
        {"checkmark.circle.fill", TintToken::health, N_("App & system caches"),
         N_("Temporary speed files \u2014 apps rebuild them automatically")},
        xcode ? OnboardingRow{"checkmark.circle.fill", TintToken::health, N_("Xcode & dev tools"),
                              N_("Old simulators, build caches, node_modules \u2014 rebuilt on next compile")}
              : OnboardingRow{"checkmark.circle.fill", TintToken::health, N_("Developer tools"),
                              N_("Package caches, build caches, node_modules \u2014 rebuilt on next compile")},
        {"checkmark.circle.fill", TintToken::health, N_("Logs & trash"), N_("Activity records and items already in the Trash")},
        {"exclamationmark.triangle.fill", TintToken::review, N_("Downloads & large files"),
         N_("Marked \"Review before deleting\" \u2014 you choose what goes")},
    };
}

std::vector<OnboardingRow> featureRows(const std::vector<std::string>& preferredLanguages) {
    std::vector<OnboardingRow> rows;
    // A plain, case-sensitive prefix: "vi" and "vi-VN" match, "VI" does not.
    if (std::ranges::any_of(preferredLanguages, [](const std::string& id) { return id.starts_with("vi"); })) {
        rows.push_back({"character.textbox", TintToken::ai, N_("Vietnamese input method"),
                        N_("Telex, VNI, or VIQR in every app \u2014 enable when you need it")});
    }
    rows.push_back({"power", TintToken::accent, N_("Startup & privacy"),
                    N_("Review login items and clear privacy-sensitive leftovers")});
    rows.push_back({"gauge.with.dots.needle.67percent", TintToken::health, N_("Disk overview"),
                    N_("See what's using space before you clean anything")});
    return rows;
}

std::vector<PageDot> pageDots(int step, int totalSteps) {
    std::vector<PageDot> dots;
    for (int i = 0; i < totalSteps; ++i) dots.push_back({i <= step, i == step});
    return dots;
}

std::string pageDotsLabel(int step, int totalSteps) {
    return platform::localizedFormat("Onboarding step %lld of %lld",
                                     {platform::formatCount(step + 1), platform::formatCount(totalSteps)});
}

OnboardingBar onboardingBar(int step, int totalSteps) { return {step >= 1, step < totalSteps - 1}; }

const char* finishTitle(bool requiredPermissionsGranted) {
    return requiredPermissionsGranted ? N_("Get Started") : "Continue";
}

void OnboardingPager::back() {
    if (onboardingBar(step(), totalSteps_).showsBack) step.set(step() - 1);
}

void OnboardingPager::advance() {
    if (onboardingBar(step(), totalSteps_).showsContinue) step.set(step() + 1);
}

bool OnboardingPager::confirm() {
    if (isLastStep()) return true;
    advance();
    return false;
}

}  // namespace zentrel::ui
