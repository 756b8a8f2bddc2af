#include "typing/integration/VietIMEManager.hpp"

#include "typing/integration/BuiltInInjectionRules.hpp"
#include "typing/integration/VietIMEManagerHarness.hpp"

#include "doubles/WarningCapture.hpp"

#include <gtest/gtest.h>

namespace zentrel::typing {
namespace {

using namespace std::chrono_literals;

class VietIMEManagerTest : public ::testing::Test, protected testing::VietIMEManagerHarness {
protected:
    // Typing on through the key tap, with the permission it needs.
    void typeThroughTheTap() {
        trust.trusted = true;
        permissions->accessibility.set(true);
        makeManager();
        manager->setIntegrationMode(VietIMEIntegrationMode::cgEvent);
        manager->setEnabled(true);
    }
};

TEST_F(VietIMEManagerTest, AFirstStartWritesTheSettingsBackAndLeavesTypingOff) {
    makeManager();
    manager->loadSettings();
    EXPECT_EQ(standard().string("vietIMEMethod"), "Telex");
    EXPECT_FALSE(standard().contains("vietIMEIntegrationMode")) << "not chosen: each session decides";
    EXPECT_EQ(standard().value("vietIMERuleEngineEnabled"), platform::DefaultsValue(true));
    EXPECT_EQ(platform::textOf(*standard().data("vietIMEExcludedApps")), "[]");
    EXPECT_TRUE(standard().data("vietIMEOptions").has_value());
    EXPECT_FALSE(standard().contains("vietIMEEnabled"));
    EXPECT_FALSE(standard().contains("vietIMECustomRules"));
    EXPECT_FALSE(standard().contains("vietIMEDisabledBuiltInRuleIDs"));
    EXPECT_FALSE(manager->isEnabled());
    EXPECT_FALSE(snapshot().isEnabled);
    EXPECT_FALSE(notifications.posted.empty()) << "every change is announced to the input method";
}

TEST_F(VietIMEManagerTest, AModeNotChosenIsAutomaticWhereIBusRunsAndAStoredOneIsKept) {
    const std::tuple<std::optional<std::string>, bool, bool, VietIMEIntegrationMode> cases[] = {
        {std::nullopt, true, false, VietIMEIntegrationMode::hybrid},
        {std::nullopt, false, false, VietIMEIntegrationMode::cgEvent},
        {"cgEvent", true, false, VietIMEIntegrationMode::cgEvent},
        {"imkit", false, false, VietIMEIntegrationMode::imkit},
        // An IBus that does not answer counts as none.
        {std::nullopt, true, true, VietIMEIntegrationMode::cgEvent},
        {"hybrid", true, true, VietIMEIntegrationMode::hybrid},
    };
    for (const auto& [stored, running, hangs, expected] : cases) {
        standard().remove("vietIMEIntegrationMode");
        if (stored) standard().setString("vietIMEIntegrationMode", *stored);
        inputMethod.running = running;
        ibusHangs = hangs;
        reopen();
        clock.advance(VietIMEManager::kInputMethodAnswerLimit);
        settle();
        EXPECT_EQ(manager->integrationMode(), expected) << stored.value_or("none") << " " << running << " " << hangs;
        EXPECT_EQ(standard().string("vietIMEIntegrationMode"), stored);
    }
}

TEST_F(VietIMEManagerTest, AutomaticTypingInstallsAndSelectsTheInputMethodAndGivesBackTheEngineUsedBefore) {
    inputMethod.running = true;
    inputMethod.engine = "xkb:de::ger";
    dir.write("app/zentrel-ime", "engine");
    reopen();
    ASSERT_EQ(manager->integrationMode(), VietIMEIntegrationMode::hybrid);
    manager->setEnabled(true);
    settle();
    EXPECT_TRUE(manager->isEnabled());
    EXPECT_TRUE(std::filesystem::exists(installer.destination())) << "installed where IBus lacked it";
    ASSERT_FALSE(launched.empty());
    EXPECT_EQ(launched.back(), (std::vector<std::string>{"ibus", "engine", "com.torvane.zentrel.ime"}));
    EXPECT_FALSE(tap.installed) << "no tap while IBus switches to the input method";
    EXPECT_TRUE(pages.opened.empty()) << "the input method needs no permission";

    inputMethod.installed = inputMethod.selected = true;
    clock.advance(3s);
    settle();
    EXPECT_TRUE(manager->imkitSelected());
    EXPECT_FALSE(tap.installed);

    manager->setEnabled(false);
    settle();
    EXPECT_EQ(launched.back(), (std::vector<std::string>{"ibus", "engine", "xkb:de::ger"}));
}

TEST_F(VietIMEManagerTest, TurningTypingOnAndChangingTheModeAskIBusOnlyOnTheWorkerAndApplyItsAnswerOncePosted) {
    inputMethod.running = inputMethod.installed = true;
    inputMethod.engine = "xkb:de::ger";
    reopen();
    ASSERT_EQ(manager->integrationMode(), VietIMEIntegrationMode::hybrid);
    const auto expectNothingAskedUntilTheWorkerRuns = [&](const std::function<void()>& act) {
        const auto questions = inputMethod.questions;
        const auto commands = launched.size();
        act();
        EXPECT_EQ(inputMethod.questions, questions) << "IBus is never asked on the calling thread";
        EXPECT_EQ(launched.size(), commands);
        EXPECT_GT(ibusWorker.pendingCount(), 0U);
        ibusWorker.drain();
        EXPECT_GT(inputMethod.questions, questions);
    };

    expectNothingAskedUntilTheWorkerRuns([&] { manager->setEnabled(true); });
    ASSERT_FALSE(launched.empty());
    EXPECT_EQ(launched.back(), (std::vector<std::string>{"ibus", "engine", "com.torvane.zentrel.ime"}));
    EXPECT_FALSE(manager->isEnabled()) << "the answer is not applied before it is posted";
    main.drain();
    EXPECT_TRUE(manager->isEnabled());
    EXPECT_FALSE(tap.installed) << "no tap while IBus switches to the input method";
    EXPECT_TRUE(pages.opened.empty());
    inputMethod.selected = true;
    settle();
    EXPECT_TRUE(manager->imkitSelected());

    // The card's way to the key tap: the engine used before is given back.
    expectNothingAskedUntilTheWorkerRuns([&] {
        manager->leaveInputMethod();
        manager->setIntegrationMode(VietIMEIntegrationMode::cgEvent);
    });
    EXPECT_EQ(launched.back(), (std::vector<std::string>{"ibus", "engine", "xkb:de::ger"}));
    inputMethod.selected = false;
    EXPECT_TRUE(manager->imkitSelected()) << "until IBus's answer is posted";
    settle();
    EXPECT_FALSE(manager->imkitSelected());
}

TEST_F(VietIMEManagerTest, AnIBusThatDoesNotAnswerLeavesTheKeyTapTypingAndItsLateAnswerChangesNothing) {
    trust.trusted = true;
    permissions->accessibility.set(true);
    inputMethod.running = inputMethod.installed = true;
    reopen();
    ASSERT_EQ(manager->integrationMode(), VietIMEIntegrationMode::hybrid);
    ibusHangs = true;
    manager->setEnabled(true);
    settle();
    EXPECT_FALSE(manager->isEnabled()) << "waiting for IBus";
    EXPECT_FALSE(tap.installed);
    clock.advance(VietIMEManager::kInputMethodAnswerLimit);
    settle();
    EXPECT_TRUE(manager->isEnabled());
    EXPECT_TRUE(tap.installed) << "IBus did not select the engine: the tap types";

    // IBus comes back: its answers to questions given up on are dropped; its announcement counts.
    ibusHangs = false;
    settle();
    EXPECT_EQ(launched.back(), (std::vector<std::string>{"ibus", "engine", "com.torvane.zentrel.ime"}));
    EXPECT_TRUE(tap.installed);
    inputMethod.selected = true;
    inputMethod.engineChanged.emit();
    settle();
    EXPECT_FALSE(tap.installed);
    EXPECT_TRUE(manager->isEnabled());
}

TEST_F(VietIMEManagerTest, AnEngineIBusAnnouncesStopsTheTapAtOnce) {
    typeThroughTheTap();
    ASSERT_TRUE(tap.installed);
    // `ibus engine com.torvane.zentrel.ime` from a terminal.
    inputMethod.installed = inputMethod.selected = true;
    inputMethod.engineChanged.emit();
    settle();
    EXPECT_FALSE(tap.installed) << "the tap and the input method would both convert";
    EXPECT_TRUE(manager->isEnabled());
    inputMethod.selected = false;
    inputMethod.engineChanged.emit();
    settle();
    EXPECT_TRUE(tap.installed) << "the tap types again once another engine is in use";
}

TEST_F(VietIMEManagerTest, AnEngineChosenBeforeTheWatchListensIsReadOnceItListens) {
    typeThroughTheTap();
    ASSERT_TRUE(tap.installed);
    // Chosen after the first reading, while the watch was still connecting (or IBus restarting): never announced.
    inputMethod.installed = inputMethod.selected = true;
    inputMethod.watchListens.emit();
    settle();
    EXPECT_FALSE(tap.installed) << "the tap and the input method would both convert";
}

TEST_F(VietIMEManagerTest, TheInputMethodModeNeedsNoPermissionAndNoTap) {
    makeManager();
    manager->setIntegrationMode(VietIMEIntegrationMode::imkit);
    manager->setEnabled(true);
    settle();
    EXPECT_TRUE(manager->isEnabled());
    EXPECT_FALSE(tap.installed);
    EXPECT_TRUE(snapshot().isEnabled);
    bool bridgeOn = true;
    bridge.withLock([&](IMEEventBridge::State& state) { bridgeOn = state.isEnabled; });
    EXPECT_FALSE(bridgeOn);

    // Hybrid follows the input method's selection.
    manager->setIntegrationMode(VietIMEIntegrationMode::hybrid);
    EXPECT_FALSE(tap.installed) << "no Accessibility: the tap cannot start";
    EXPECT_FALSE(manager->isEnabled());
    inputMethod.selected = true;
    manager->refreshIMKitStatus();
    settle();
    manager->setIsEnabled(true);
    EXPECT_TRUE(manager->isEnabled());
    EXPECT_FALSE(tap.installed);
}

TEST_F(VietIMEManagerTest, WithoutAccessibilityThePermissionIsAskedAndPolledForThirtySecondsAtMost) {
    makeManager();
    manager->setEnabled(true);
    EXPECT_FALSE(manager->isEnabled());
    EXPECT_TRUE(manager->isPermissionPolling());
    EXPECT_FALSE(pages.opened.empty()) << "the Accessibility settings are opened";
    for (int tick = 0; tick < 29; ++tick) {
        clock.advance(1s);
        settle();
    }
    EXPECT_TRUE(manager->isPermissionPolling());
    clock.advance(1s);
    settle();
    EXPECT_FALSE(manager->isPermissionPolling());

    // A grant seen by the next probe stops the poll; typing stays off until asked.
    manager->setEnabled(true);
    trust.trusted = true;
    clock.advance(1s);
    settle();
    clock.advance(1s);
    settle();
    EXPECT_TRUE(permissions->accessibility());
    EXPECT_FALSE(manager->isPermissionPolling());
    EXPECT_FALSE(manager->isEnabled());

    manager->setEnabled(true);
    EXPECT_TRUE(manager->isEnabled());
    EXPECT_TRUE(tap.installed);
    EXPECT_TRUE(manager->isContextPolling());
    EXPECT_EQ(standard().value("vietIMEEnabled"), platform::DefaultsValue(true));

    // Losing the permission turns typing off and stores it off.
    permissions->accessibility.set(false);
    EXPECT_FALSE(manager->isEnabled());
    EXPECT_FALSE(tap.installed);
    EXPECT_FALSE(manager->isContextPolling());
    EXPECT_EQ(standard().value("vietIMEEnabled"), platform::DefaultsValue(false));
}

TEST_F(VietIMEManagerTest, ATapThatCannotBeMadeSwitchesTypingOff) {
    trust.trusted = true;
    tap.available = false;
    makeManager();
    manager->setEnabled(true);
    EXPECT_FALSE(manager->isEnabled());
    EXPECT_EQ(standard().value("vietIMEEnabled"), platform::DefaultsValue(false));
}

TEST_F(VietIMEManagerTest, WhereNoTapCanRunTheTapModeSaysWhyAndAsksForNoPermission) {
    tap.available = false;
    tap.reason = "The key tap works only in an X11 session; on Wayland, type through the input method";
    makeManager();
    testing::WarningCapture warnings;
    manager->setEnabled(true);
    EXPECT_FALSE(manager->isEnabled());
    EXPECT_FALSE(manager->isPermissionPolling());
    EXPECT_TRUE(pages.opened.empty());
    EXPECT_EQ(manager->eventTapUnavailableReason(), tap.reason);
    EXPECT_EQ(warnings.lines().size(), 1u);

    inputMethod.selected = true;
    manager->setIntegrationMode(VietIMEIntegrationMode::hybrid);
    manager->refreshIMKitStatus();
    manager->setEnabled(true);
    settle();
    EXPECT_TRUE(manager->isEnabled()) << "hybrid types through the selected input method, no permission asked";
    EXPECT_FALSE(manager->isPermissionPolling());
    EXPECT_FALSE(tap.installed);
}

TEST_F(VietIMEManagerTest, TheChordExcludesAndIncludesTheFrontmostApplication) {
    makeManager();
    manager->toggleExclusionForFrontmostApp();
    EXPECT_TRUE(manager->excludedApps().empty()) << "no frontmost application";

    elements.bundle = "com.example.editor";
    appActivated.emit();
    settle();
    EXPECT_EQ(manager->frontmostBundleID(), "com.example.editor");
    bridge.withLock([](IMEEventBridge::State& state) { state.isEnabled = true; });
    (void)bridge.handle({platform::TapEventType::keyDown, platform::modifier::control | platform::modifier::shift, 9,
                         u"v", 0});
    settle();
    EXPECT_EQ(manager->excludedApps(), std::vector<std::string>{"com.example.editor"});
    EXPECT_EQ(snapshot().excludedApps, std::vector<std::string>{"com.example.editor"});

    manager->setExcludedApps({"com.example.editor", "a", "com.example.editor"});
    manager->toggleExclusionForFrontmostApp();
    EXPECT_EQ(manager->excludedApps(), std::vector<std::string>{"a"}) << "every occurrence goes";
    manager->removeExcludedApp("a");
    EXPECT_TRUE(manager->excludedApps().empty());
}

TEST_F(VietIMEManagerTest, TheInputMethodsRequestSwitchesTypingForItsProgramWhileTypingIsOn) {
    makeManager();
    const auto request = VietIMESharedSettings::toggleProgramNotification("gedit");
    manager->notificationReceived(request);
    settle();
    EXPECT_TRUE(manager->excludedApps().empty()) << "typing is off";

    manager->setIntegrationMode(VietIMEIntegrationMode::imkit);
    manager->setEnabled(true);
    settle();
    for (const auto& expected : {std::vector<std::string>{"gedit"}, std::vector<std::string>{}}) {
        manager->notificationReceived(request);
        manager->notificationReceived(VietIMESharedSettings::didChangeNotification);
        settle();
        EXPECT_EQ(manager->excludedApps(), expected);
        EXPECT_EQ(snapshot().excludedApps, expected) << "the input method reads the change";
    }
}

TEST_F(VietIMEManagerTest, AProgramThatReadsKeysThroughARunningIBusGetsItsKeysUntouched) {
    struct Row {
        bool ibusRuns;
        bool readsThroughInputMethod;
        bool untouched;
    };
    for (const Row row : {Row{true, true, true}, Row{false, true, false}, Row{true, false, false}}) {
        inputMethod.running = row.ibusRuns;
        makeManager();
        manager->loadSettings();
        settle();
        elements.readsKeysThroughInputMethod = row.readsThroughInputMethod;
        bringToFront("gtk4-demo");
        EXPECT_EQ(manager->frontmostReadsKeysThroughInputMethod(), row.untouched) << row.ibusRuns;
        EXPECT_EQ(manager->resolvedInjection().isPassthrough(), row.untouched) << row.ibusRuns;
        EXPECT_EQ(manager->resolvedInjection().matchedRuleID, BuiltInInjectionRules::defaultID);
    }
}

TEST_F(VietIMEManagerTest, BuiltInRulesCanBeSwitchedOffExceptTheTwoFixedOnes) {
    makeManager();
    for (const auto& rule : VietIMEManager::toggleableBuiltInRules()) {
        EXPECT_NE(rule.id, BuiltInInjectionRules::secureInputID);
        EXPECT_NE(rule.id, BuiltInInjectionRules::defaultID);
    }
    const auto first = VietIMEManager::toggleableBuiltInRules().front().id;
    manager->setBuiltInRule(first, false);
    EXPECT_TRUE(stored->ruleStore.disabledBuiltInRuleIDs().contains(first));
    manager->setBuiltInRule(first, true);
    EXPECT_TRUE(stored->ruleStore.disabledBuiltInRuleIDs().empty());
}

TEST_F(VietIMEManagerTest, TheLastContextOfAnotherApplicationOutlivesThisOneComingToTheFront) {
    makeManager();
    bringToFront(std::string(kOwnApplication));
    EXPECT_EQ(manager->lastOtherAppContext(), std::nullopt) << "this program is no other application";

    bringToFront("gedit");
    bringToFront(std::nullopt);
    bringToFront("");
    bringToFront(std::string(kOwnApplication));
    ASSERT_TRUE(manager->lastOtherAppContext().has_value());
    EXPECT_EQ(manager->lastOtherAppContext()->bundleIdentifier, "gedit");
    EXPECT_EQ(manager->frontmostBundleID(), kOwnApplication);
}

TEST_F(VietIMEManagerTest, ChangingTheMethodEndsTheWordInProgress) {
    trust.trusted = true;
    permissions = makePermissions();
    settle();
    makeManager();
    manager->setEnabled(true);
    ASSERT_TRUE(tap.installed);
    for (const char16_t c : std::u16string(u"aa")) {
        platform::TapEvent key;
        key.unicode = std::u16string(1, c);
        (void)tap.handler(key, true);
    }
    ASSERT_EQ(bridge.displayedText(), "â");
    manager->setInputMethod(VietInputMethod::vni);
    EXPECT_EQ(bridge.displayedText(), "");
}

TEST_F(VietIMEManagerTest, AContextNotAnsweredWithinASecondCountsAsNoneAndOnlyTheNewestAnswerIsApplied) {
    makeManager();
    bringToFront("gedit");
    ASSERT_EQ(manager->frontmostBundleID(), "gedit");

    contextSource.holding = true;
    bringToFront("mousepad");
    EXPECT_EQ(manager->frontmostBundleID(), "gedit") << "nothing is applied before the answer";
    clock.advance(VietIMEManager::kContextAnswerLimit);
    settle();
    EXPECT_EQ(manager->frontmostBundleID(), std::nullopt) << "a bus that does not answer means no context";
    EXPECT_EQ(manager->resolvedInjection().matchedRuleID, BuiltInInjectionRules::defaultID);

    bringToFront("xterm");
    ASSERT_EQ(contextSource.held.size(), 2U);
    IMEContext newest;
    newest.bundleIdentifier = "xterm";
    contextSource.held[1](newest);
    IMEContext stale;
    stale.bundleIdentifier = "mousepad";
    contextSource.held[0](stale);
    settle();
    EXPECT_EQ(manager->frontmostBundleID(), "xterm") << "an older answer never replaces a newer one";
}

}  // namespace
}  // namespace zentrel::typing
