#include "ui/presenters/VietnameseIMECardPresenter.hpp"

#include "typing/integration/VietIMEManagerHarness.hpp"

#include <gtest/gtest.h>

namespace zentrel::ui {
namespace {

using namespace std::chrono_literals;
using typing::VietIMEIntegrationMode;
using typing::VietIMEOptions;

class VietnameseIMECardTest : public ::testing::Test, protected testing::VietIMEManagerHarness {
protected:
    VietnameseIMECardTest() {
        makeManager();
        card = std::make_unique<VietnameseIMECardPresenter>(
            TypingCardServices{*manager, *permissions, clock, didBecomeActive});
    }
    void trustAccessibility(bool trusted) {
        trust.trusted = trusted;
        permissions->accessibility.set(trusted);
        settle();
    }
    [[nodiscard]] bool launchedSelection() const {
        return std::ranges::any_of(launched, [](const auto& command) { return command.size() > 1 && command[1] == "engine"; });
    }

    std::unique_ptr<VietnameseIMECardPresenter> card;
};

TEST_F(VietnameseIMECardTest, TheModeDecidesTheNoticeAndTheInstallSection) {
    struct Row {
        VietIMEIntegrationMode mode;
        bool trusted;
        bool selected;
        bool on;
        bool notice;
        bool install;
    };
    const Row rows[] = {
        {VietIMEIntegrationMode::cgEvent, false, false, false, true, false},
        {VietIMEIntegrationMode::cgEvent, true, false, true, false, false},
        {VietIMEIntegrationMode::imkit, false, false, true, false, true},
        {VietIMEIntegrationMode::imkit, false, false, false, false, false},
        {VietIMEIntegrationMode::hybrid, false, true, true, false, true},
        {VietIMEIntegrationMode::hybrid, false, false, false, true, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(typing::rawValue(row.mode)) + (row.on ? " on" : " off"));
        card->setEnabled(false);
        trustAccessibility(row.trusted);
        inputMethod.selected = row.selected;
        manager->refreshIMKitStatus();
        settle();
        card->chooseIntegrationMode(row.mode);
        card->setEnabled(row.on);
        settle();
        const auto s = card->state();
        ASSERT_EQ(s.isEnabled, row.on);
        EXPECT_EQ(s.showsAccessibilityNotice, row.notice);
        EXPECT_EQ(s.needsAttention, row.notice);
        EXPECT_EQ(s.showsInstallSection, row.install);
        EXPECT_EQ(s.controlsEnabled, row.on);
        EXPECT_EQ(s.integrationModeEnabled, row.on);
        EXPECT_EQ(s.integrationModeDetail, typing::detail(row.mode));
        EXPECT_EQ(s.showsRuleDetails, row.on) << "the rule engine is on by default";
    }
}

TEST_F(VietnameseIMECardTest, LeavingTheInputMethodSelectsTheEngineUsedBeforeAndTheCardSaysWhichPathTypes) {
    trustAccessibility(true);
    inputMethod.installed = true;
    inputMethod.engine = "xkb:de::ger";
    card->chooseIntegrationMode(VietIMEIntegrationMode::imkit);
    card->setEnabled(true);
    card->selectInputMethod();
    settle();
    inputMethod.selected = true;
    manager->refreshIMKitStatus();
    settle();
    EXPECT_EQ(card->state().typingPath, "Typing through the Zentrel input method in IBus");

    launched.clear();
    card->chooseIntegrationMode(VietIMEIntegrationMode::cgEvent);
    settle();
    EXPECT_EQ(launched, (std::vector<std::vector<std::string>>{{"ibus", "engine", "xkb:de::ger"}}));
    EXPECT_FALSE(tap.installed) << "while our engine is still selected the tap stays off";
    inputMethod.selected = false;
    manager->refreshIMKitStatus();
    settle();
    EXPECT_TRUE(tap.installed);
    EXPECT_EQ(card->state().typingPath, "Typing through the key tap");
    inputMethod.running = true;
    manager->refreshIMKitStatus();
    elements.readsKeysThroughInputMethod = true;
    bringToFront("gtk4-demo");
    EXPECT_EQ(card->state().typingPath, "The key tap cannot type in this program: it reads its keys through IBus. "
                                        "Type through the input method to write Vietnamese here");
    EXPECT_TRUE(card->state().offersInputMethod);
    elements.readsKeysThroughInputMethod = false;
    bringToFront("xterm");
    ASSERT_TRUE(card->state().typingPath);
    EXPECT_TRUE(card->state().typingPath->starts_with("Typing through the key tap: in a terminal")) << "too fast for it";
    EXPECT_TRUE(card->state().offersInputMethod);
    bringToFront("gedit");
    EXPECT_FALSE(card->state().offersInputMethod);

    launched.clear();
    card->chooseIntegrationMode(VietIMEIntegrationMode::cgEvent);
    settle();
    EXPECT_TRUE(launched.empty()) << "another engine in use is left alone";
    card->chooseIntegrationMode(VietIMEIntegrationMode::imkit);
    settle();
    EXPECT_EQ(card->state().typingPath, "Not typing yet: select Zentrel in IBus");
}

TEST_F(VietnameseIMECardTest, WhereTheTapCannotTypeOneClickTurnsTypingToTheInputMethod) {
    trustAccessibility(true);
    inputMethod.installed = inputMethod.running = true;
    card->chooseIntegrationMode(VietIMEIntegrationMode::cgEvent);
    card->setEnabled(true);
    manager->refreshIMKitStatus();
    settle();
    elements.readsKeysThroughInputMethod = true;
    bringToFront("gtk4-demo");
    ASSERT_TRUE(card->state().offersInputMethod);
    launched.clear();
    card->typeThroughInputMethod();
    settle();
    EXPECT_EQ(manager->integrationMode(), VietIMEIntegrationMode::hybrid);
    EXPECT_EQ(launched, (std::vector<std::vector<std::string>>{{"ibus", "engine", "com.torvane.zentrel.ime"}}));
    inputMethod.selected = true;
    manager->refreshIMKitStatus();
    settle();
    EXPECT_EQ(card->state().typingPath, "Typing through the Zentrel input method in IBus");
    EXPECT_FALSE(card->state().offersInputMethod);
}

TEST_F(VietnameseIMECardTest, TheMethodDescriptionShowsOnlyWhileTypingIsOn) {
    card->chooseInputMethod(typing::VietInputMethod::vni);
    EXPECT_EQ(card->state().methodDescription, std::nullopt);
    card->chooseIntegrationMode(VietIMEIntegrationMode::imkit);
    card->setEnabled(true);
    settle();
    EXPECT_EQ(card->state().methodDescription, "VNI — a6→â, a8→ă, o7→ơ, u7→ư, 0→xoá dấu");
    EXPECT_EQ(stored->prefs.vietIMEMethod(), typing::VietInputMethod::vni);
}

TEST_F(VietnameseIMECardTest, WhereTheTapCannotRunTheSwitchStaysOffSaysWhyAndTheModeStaysChoosable) {
    tap.available = false;
    tap.reason = "The key tap works only in an X11 session; on Wayland, type through the input method";
    card->setEnabled(true);
    auto s = card->state();
    EXPECT_FALSE(s.isEnabled);
    EXPECT_EQ(s.refusal, tap.reason);
    EXPECT_TRUE(s.integrationModeEnabled);

    card->chooseIntegrationMode(VietIMEIntegrationMode::imkit);
    card->setEnabled(true);
    settle();
    s = card->state();
    EXPECT_TRUE(s.isEnabled);
    EXPECT_EQ(s.refusal, std::nullopt);
}

TEST_F(VietnameseIMECardTest, EachOptionControlAssignsTheOptionsOnceChangingOneField) {
    std::vector<std::pair<std::string_view, bool VietIMEOptions::*>> fields;
    for (const auto& option : kAdvancedOptionSwitches) fields.emplace_back(option.title, option.field);
    for (const auto& option : kMoreOptionSwitches) fields.emplace_back(option.title, option.field);
    ASSERT_EQ(fields.size(), 8u);
    int assignments = 0;
    const auto counting = manager->options.observe([&](const VietIMEOptions&) { ++assignments; });
    for (const auto& [title, field] : fields) {
        SCOPED_TRACE(std::string(title));
        for (const bool value : {true, false, false}) {
            auto expected = manager->options();
            expected.*field = value;
            const auto before = assignments;
            const auto posted = notifications.posted.size();
            card->setOption(field, value);
            EXPECT_EQ(assignments, before + 1) << "also when the value is unchanged";
            EXPECT_EQ(notifications.posted.size(), posted + 1);
            EXPECT_EQ(manager->options(), expected);
            EXPECT_EQ(stored->prefs.vietIMEOptions(), expected);
        }
    }
    card->chooseToneRule(typing::VietToneRule::modern);
    EXPECT_EQ(assignments, 25);
    EXPECT_EQ(stored->prefs.vietIMEOptions().toneRule, typing::VietToneRule::modern);
}

TEST_F(VietnameseIMECardTest, AFailedInstallShowsItsMessageAndTheNextAttemptClearsItFirst) {
    card->chooseIntegrationMode(VietIMEIntegrationMode::imkit);
    card->setEnabled(true);
    settle();
    EXPECT_EQ(card->state().installRow.text, "Chưa cài Zentrel IME");
    EXPECT_EQ(card->state().selectionRow, std::nullopt);
    EXPECT_FALSE(card->state().showsSelectButton);

    std::vector<std::optional<std::string>> shownErrors;
    const auto watching = card->observe([&] {
        const auto error = card->state().installError;
        if (shownErrors.empty() || shownErrors.back() != error) shownErrors.push_back(error);
    });
    card->install();
    settle();
    card->install();
    settle();
    const std::optional<std::string> message = "Không tìm thấy ZentrelIME.app trong bản build.";
    EXPECT_EQ(shownErrors, (std::vector<std::optional<std::string>>{std::nullopt, message, std::nullopt, message}));

    // IBus lists the engine a moment after the install: the status is read again then.
    dir.write("app/zentrel-ime", "program");
    card->install();
    settle();
    EXPECT_EQ(card->state().installError, std::nullopt);
    EXPECT_FALSE(card->state().showsSelectButton);
    inputMethod.installed = true;
    clock.advance(1s);
    settle();
    const auto s = card->state();
    EXPECT_EQ(s.installRow, (StatusRow{"checkmark.circle.fill", true, "IME đã cài trong ~/Library/Input Methods"}));
    EXPECT_EQ(s.selectionRow, (StatusRow{"keyboard", false, "Chưa chọn Zentrel trong menu input"}));
    EXPECT_TRUE(s.showsSelectButton);
}

TEST_F(VietnameseIMECardTest, InstallingWhereAPackageProvidesTheEngineSaysSo) {
    inputMethod.providedBySystem = true;
    card->install();
    settle();
    EXPECT_FALSE(card->state().installError);
    EXPECT_EQ(card->state().installNote,
              "The installed Zentrel package already provides the input method: it is selected in IBus");
    EXPECT_TRUE(launchedSelection());
}

TEST_F(VietnameseIMECardTest, AnInstallIBusDoesNotAnswerInTimeSaysSoAndTheNextAttemptClearsIt) {
    ibusHangs = true;
    card->install();
    settle();
    EXPECT_EQ(card->state().installError, std::nullopt) << "still waiting";
    clock.advance(typing::VietIMEManager::kInputMethodAnswerLimit);
    settle();
    EXPECT_EQ(card->state().installError, "IBus did not answer: try again in a moment");
    ibusHangs = false;
    inputMethod.providedBySystem = true;
    card->install();
    settle();
    EXPECT_EQ(card->state().installError, std::nullopt);
    EXPECT_TRUE(card->state().installNote);
}

TEST_F(VietnameseIMECardTest, OnlyWhereTheDesktopKeepsItsOwnInputSourcesTheCardAsksTheUserToSelect) {
    inputMethod.running = inputMethod.installed = true;
    card->chooseIntegrationMode(VietIMEIntegrationMode::imkit);
    card->setEnabled(true);
    settle();
    ASSERT_TRUE(manager->isEnabled());
    EXPECT_EQ(card->state().typingPath, "Not typing yet: select Zentrel in IBus") << "IBus switches shortly";
    inputMethod.keepsInputSources = true;
    manager->refreshIMKitStatus();
    settle();
    ASSERT_TRUE(card->state().typingPath);
    EXPECT_TRUE(card->state().typingPath->starts_with("GNOME selects input sources itself"));
    inputMethod.selected = true;
    manager->refreshIMKitStatus();
    settle();
    EXPECT_EQ(card->state().typingPath, "Typing through the Zentrel input method in IBus");
}

TEST_F(VietnameseIMECardTest, SelectingDoesNothingUntilIBusListsTheEngine) {
    card->selectInputMethod();
    settle();
    EXPECT_FALSE(launchedSelection());

    inputMethod.installed = true;
    card->selectInputMethod();
    settle();
    EXPECT_TRUE(launchedSelection());
    inputMethod.selected = true;
    clock.advance(1s);
    settle();
    EXPECT_EQ(card->state().selectionRow, (StatusRow{"keyboard.fill", true, "Đang chọn trong menu input"}));
}

TEST_F(VietnameseIMECardTest, TheRuleDetailsShowWhatIsKnownOfTheLastContext) {
    struct Row {
        std::optional<std::string> bundle;
        std::optional<std::string> title;
        std::optional<std::string> focus;
        std::vector<std::string> lines;
    };
    const Row rows[] = {
        {"gedit", "notes.txt", "Body", {"notes.txt", "Focus: Body", "gedit"}},
        {"gedit", "", "", {"gedit"}},
        {"", std::nullopt, std::nullopt, {""}},
        {std::nullopt, std::nullopt, std::nullopt, {}},
    };
    card->chooseIntegrationMode(VietIMEIntegrationMode::imkit);
    card->setEnabled(true);
    settle();
    for (const auto& row : rows) {
        elements.windowTitle = row.title;
        elements.focusedDescription = row.focus;
        bringToFront(row.bundle);
        EXPECT_EQ(card->state().contextLines, row.lines);
    }

    elements.windowTitle = "Telegram — chats";
    bringToFront("firefox-esr");
    EXPECT_EQ(card->state().matchedRuleLine, "Đang dùng: Telegram Web");
    card->setRuleEngineEnabled(false);
    EXPECT_FALSE(card->state().showsRuleDetails);
    EXPECT_TRUE(card->state().contextLines.empty());
    EXPECT_EQ(card->state().matchedRuleLine, std::nullopt);
}

TEST_F(VietnameseIMECardTest, ExcludedAppsAreCountedAndReEnabledOneAtATime) {
    EXPECT_EQ(card->state().exclusionSummary, "Chưa tắt ở app nào.");
    manager->setExcludedApps({"gedit", "kate", "firefox"});
    EXPECT_EQ(card->state().exclusionSummary, "Đang tắt ở 3 app");
    card->reEnable("kate");
    EXPECT_EQ(card->state().excludedApps, (std::vector<std::string>{"gedit", "firefox"}));
    EXPECT_EQ(snapshot().excludedApps, (std::vector<std::string>{"gedit", "firefox"}));
}

TEST_F(VietnameseIMECardTest, ActivationRechecksOnlyWhileTheCardIsShown) {
    const auto probes = [&] { return permissions->refreshGeneration; };
    clock.advance(1s);  // the permission manager's first probe ends
    settle();
    card->cardShown();
    const auto afterShow = probes();
    inputMethod.installed = true;
    trust.trusted = true;
    didBecomeActive.emit();
    settle();
    EXPECT_GT(probes(), afterShow);
    EXPECT_TRUE(card->state().showsSelectButton);
    EXPECT_TRUE(permissions->accessibility());

    card->cardHidden();
    const auto afterHide = probes();
    inputMethod.installed = false;
    didBecomeActive.emit();
    settle();
    EXPECT_EQ(probes(), afterHide);
}

TEST_F(VietnameseIMECardTest, GrantingAsksForAccessibilityAndPollsForIt) {
    card->grantAccessibility();
    EXPECT_FALSE(pages.opened.empty());
    EXPECT_TRUE(manager->isPermissionPolling());
}

}  // namespace
}  // namespace zentrel::ui
