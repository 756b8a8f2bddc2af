#include "typing/integration/VietIMEManager.hpp"

#include "model/SharedEcosystemState.hpp"
#include "platform/MemoryClipboard.hpp"
#include "typing/engine/VietIMESharedSettings.hpp"
#include "typing/integration/BuiltInInjectionRules.hpp"
#include "typing/integration/DefaultsInjectionRuleStore.hpp"

#include "doubles/InMemoryDefaultsStore.hpp"
#include "doubles/PermissionsDoubles.hpp"
#include "doubles/RecordingNotificationCenter.hpp"
#include "doubles/TempDir.hpp"
#include "doubles/WarningCapture.hpp"

#include <gtest/gtest.h>

namespace zentrel::typing {
namespace {

using namespace std::chrono_literals;

class FakeTap final : public platform::KeyboardEventTap {
public:
    bool install(Handler h) override {
        if (!available) return false;
        handler = std::move(h);
        installed = true;
        ++installs;
        return true;
    }
    void remove() override { installed = false; }
    [[nodiscard]] bool isInstalled() const override { return installed; }
    [[nodiscard]] std::optional<std::string> unavailableReason() const override { return reason; }
    bool available = true;
    std::optional<std::string> reason;
    bool installed = false;
    int installs = 0;
    Handler handler;
};

class NullPoster final : public platform::KeyEventPoster {
public:
    void post(const platform::SyntheticKeyEvent&, platform::PostTarget) override {}
    void sleepMicroseconds(std::uint32_t) override {}
};

class FrontmostOnly final : public platform::AccessibilityElements {
public:
    [[nodiscard]] platform::AccessibilityElement systemWide() const override { return {}; }
    [[nodiscard]] platform::AccessibilityElement application(std::int64_t) const override { return {}; }
    [[nodiscard]] std::optional<platform::AccessibilityValue> attribute(platform::AccessibilityElement,
                                                                        const std::string&) const override {
        return std::nullopt;
    }
    bool setStringAttribute(platform::AccessibilityElement, const std::string&, const std::string&) override {
        return false;
    }
    [[nodiscard]] std::optional<platform::FrontmostApplication> frontmostApplication() const override {
        if (!bundle) return std::nullopt;
        return platform::FrontmostApplication{bundle, 7};
    }
    [[nodiscard]] bool isSecureEventInputEnabled() const override { return false; }
    std::optional<std::string> bundle;
};

class ScriptedInputMethod final : public platform::InputMethodStatus {
public:
    [[nodiscard]] bool isInstalled() const override { return installed; }
    [[nodiscard]] bool isSelected() const override { return selected; }
    bool installed = false;
    bool selected = false;
};

class VietIMEManagerTest : public ::testing::Test, protected testing::PermissionsDoubles {
protected:
    VietIMEManagerTest() {
        permissions = makePermissions();
        settle();
    }
    void makeManager() {
        manager = std::make_unique<VietIMEManager>(VietIMEManagerServices{
            prefs, ruleStore, bridge, detector, tap, inputMethod, *permissions, notifications, layout, clock, main,
            didBecomeActive, appActivated});
        settle();
    }
    VietIMESharedSnapshot snapshot() const { return VietIMESharedSettings::load(layout); }

    testing::TempDir dir;
    platform::HostLayout layout = platform::HostLayout::forHome(dir.path());
    testing::InMemoryDefaultsStore standard;
    testing::InMemoryDefaultsStore suite;
    model::SharedEcosystemState shared{&suite, standard};
    model::UserPreferences prefs{standard, clock, shared};
    DefaultsInjectionRuleStore ruleStore{standard};
    platform::Signal<> appActivated;
    std::unique_ptr<services::PermissionsManager> permissions;
    NullPoster poster;
    platform::MemoryClipboard clipboard;
    NoFocusedTextWriter writer;
    IMEEventBridge bridge{poster, clipboard, writer};
    FrontmostOnly elements;
    IMEContextDetector detector{elements};
    FakeTap tap;
    ScriptedInputMethod inputMethod;
    testing::RecordingNotificationCenter notifications;
    std::unique_ptr<VietIMEManager> manager;
};

TEST_F(VietIMEManagerTest, AFirstStartWritesTheSettingsBackAndLeavesTypingOff) {
    makeManager();
    manager->loadSettings();
    EXPECT_EQ(standard.string("vietIMEMethod"), "Telex");
    EXPECT_EQ(standard.string("vietIMEIntegrationMode"), "cgEvent");
    EXPECT_EQ(standard.value("vietIMERuleEngineEnabled"), platform::DefaultsValue(true));
    EXPECT_EQ(platform::textOf(*standard.data("vietIMEExcludedApps")), "[]");
    EXPECT_TRUE(standard.data("vietIMEOptions").has_value());
    EXPECT_FALSE(standard.contains("vietIMEEnabled"));
    EXPECT_FALSE(standard.contains("vietIMECustomRules"));
    EXPECT_FALSE(standard.contains("vietIMEDisabledBuiltInRuleIDs"));
    EXPECT_FALSE(manager->isEnabled());
    EXPECT_FALSE(snapshot().isEnabled);
    EXPECT_FALSE(notifications.posted.empty()) << "every change is announced to the input method";
}

TEST_F(VietIMEManagerTest, TheInputMethodModeNeedsNoPermissionAndNoTap) {
    makeManager();
    manager->setIntegrationMode(VietIMEIntegrationMode::imkit);
    manager->setEnabled(true);
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
    EXPECT_EQ(standard.value("vietIMEEnabled"), platform::DefaultsValue(true));

    // Losing the permission turns typing off and stores it off.
    permissions->accessibility.set(false);
    EXPECT_FALSE(manager->isEnabled());
    EXPECT_FALSE(tap.installed);
    EXPECT_FALSE(manager->isContextPolling());
    EXPECT_EQ(standard.value("vietIMEEnabled"), platform::DefaultsValue(false));
}

TEST_F(VietIMEManagerTest, ATapThatCannotBeMadeSwitchesTypingOff) {
    trust.trusted = true;
    tap.available = false;
    makeManager();
    manager->setEnabled(true);
    EXPECT_FALSE(manager->isEnabled());
    EXPECT_EQ(standard.value("vietIMEEnabled"), platform::DefaultsValue(false));
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

TEST_F(VietIMEManagerTest, BuiltInRulesCanBeSwitchedOffExceptTheTwoFixedOnes) {
    makeManager();
    for (const auto& rule : VietIMEManager::toggleableBuiltInRules()) {
        EXPECT_NE(rule.id, BuiltInInjectionRules::secureInputID);
        EXPECT_NE(rule.id, BuiltInInjectionRules::defaultID);
    }
    const auto first = VietIMEManager::toggleableBuiltInRules().front().id;
    manager->setBuiltInRule(first, false);
    EXPECT_TRUE(ruleStore.disabledBuiltInRuleIDs().contains(first));
    manager->setBuiltInRule(first, true);
    EXPECT_TRUE(ruleStore.disabledBuiltInRuleIDs().empty());
}

}  // namespace
}  // namespace zentrel::typing
