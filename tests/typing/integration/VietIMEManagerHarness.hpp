#pragma once
// A real typing manager over a temporary home: its settings in the home's
// defaults file, the shared snapshot in the home's data folder, and doubles
// for the key tap, the focused application, the input-method status and the
// permissions, on a manual main queue and fake clock. `reopen()` makes a
// new manager over the same stored files, as a new run would.

#include "model/SharedEcosystemState.hpp"
#include "model/UserPreferences.hpp"
#include "platform/desktop/MemoryClipboard.hpp"
#include "platform/settings/JsonFileDefaultsStore.hpp"
#include "typing/engine/VietIMESharedSettings.hpp"
#include "typing/integration/DefaultsInjectionRuleStore.hpp"
#include "typing/integration/VietIMEManager.hpp"

#include "doubles/InMemoryDefaultsStore.hpp"
#include "doubles/PermissionsDoubles.hpp"
#include "doubles/RecordingNotificationCenter.hpp"
#include "doubles/TempDir.hpp"

#include <memory>

namespace zentrel::testing {

class FakeKeyTap final : public platform::KeyboardEventTap {
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

class NullKeyPoster final : public platform::KeyEventPoster {
public:
    void post(const platform::SyntheticKeyEvent&, platform::PostTarget) override {}
    void sleepMicroseconds(std::uint32_t) override {}
};

// Accessibility that knows the frontmost application, its window's title and
// the focused element's description, each when set.
class ScriptedFrontmostElements final : public platform::AccessibilityElements {
public:
    [[nodiscard]] platform::AccessibilityElement systemWide() const override { return {kSystem}; }
    [[nodiscard]] platform::AccessibilityElement application(std::int64_t) const override { return {kApplication}; }
    [[nodiscard]] std::optional<platform::AccessibilityValue> attribute(platform::AccessibilityElement element,
                                                                        const std::string& name) const override {
        if (element.handle == kSystem && name == "AXFocusedUIElement" && focusedDescription)
            return platform::AccessibilityElement{kFocused};
        if (element.handle == kFocused && name == "AXDescription") return *focusedDescription;
        if (element.handle == kApplication && name == "AXFocusedWindow" && windowTitle)
            return platform::AccessibilityElement{kWindow};
        if (element.handle == kWindow && name == "AXTitle") return *windowTitle;
        return std::nullopt;
    }
    bool setStringAttribute(platform::AccessibilityElement, const std::string&, const std::string&) override {
        return false;
    }
    [[nodiscard]] std::optional<platform::FrontmostApplication> frontmostApplication() const override {
        if (!bundle) return std::nullopt;
        return platform::FrontmostApplication{bundle, 7, readsKeysThroughInputMethod};
    }
    [[nodiscard]] bool isSecureEventInputEnabled() const override { return false; }

    std::optional<std::string> bundle;
    std::optional<std::string> windowTitle;
    std::optional<std::string> focusedDescription;
    bool readsKeysThroughInputMethod = false;

private:
    static constexpr std::uint64_t kSystem = 1, kApplication = 2, kWindow = 3, kFocused = 4;
};

// Counts the questions it was asked: each would wait on IBus.
class ScriptedInputMethodStatus final : public platform::InputMethodStatus {
public:
    [[nodiscard]] bool isInstalled() const override { return ++questions, installed || providedBySystem; }
    [[nodiscard]] bool isSelected() const override { return ++questions, selected; }
    [[nodiscard]] std::optional<std::string> currentEngine() const override {
        ++questions;
        return selected ? std::optional<std::string>("com.torvane.zentrel.ime") : engine;
    }
    [[nodiscard]] bool isRunning() const override { return ++questions, running; }
    [[nodiscard]] bool isProvidedBySystem() const override { return ++questions, providedBySystem; }
    [[nodiscard]] bool desktopKeepsInputSources() const override { return ++questions, keepsInputSources; }
    [[nodiscard]] platform::Subscription observeEngineChanges(std::function<void()> changed,
                                                              std::function<void()> listening) const override {
        auto announcements = std::make_shared<platform::Subscription>(engineChanged.subscribe(std::move(changed)));
        auto subscribed = std::make_shared<platform::Subscription>();
        if (listening) *subscribed = watchListens.subscribe(std::move(listening));
        return platform::Subscription([announcements, subscribed] {
            announcements->reset();
            subscribed->reset();
        });
    }
    bool installed = false;
    bool selected = false;
    std::optional<std::string> engine;  // the one in use while ours is not
    bool running = false;
    bool providedBySystem = false;
    bool keepsInputSources = false;
    // IBus announces another engine.
    mutable platform::Signal<> engineChanged;
    // The watch has subscribed to IBus.
    mutable platform::Signal<> watchListens;
    mutable int questions = 0;
};

// The settings of one run, read from the home's defaults file.
struct StoredTypingSettings {
    StoredTypingSettings(const platform::HostLayout& layout, const platform::Clock& clock)
        : standard(layout.defaultsFile(platform::kStandardSuite)), prefs(standard, clock, shared) {}

    platform::JsonFileDefaultsStore standard;
    InMemoryDefaultsStore suite;
    model::SharedEcosystemState shared{&suite, standard};
    model::UserPreferences prefs;
    typing::DefaultsInjectionRuleStore ruleStore{standard};
};

// Answers at once from the detector, or, while `holding`, keeps the
// questions for the test to answer (or never).
class HeldFocusContextSource final : public typing::FocusContextSource {
public:
    explicit HeldFocusContextSource(const typing::IMEContextDetector& detector) : detector_(detector) {}
    void capture(Handler done) override {
        if (holding) {
            held.push_back(std::move(done));
        } else {
            done(detector_.capture());
        }
    }
    bool holding = false;
    std::vector<Handler> held;

private:
    const typing::IMEContextDetector& detector_;
};

class VietIMEManagerHarness : protected PermissionsDoubles {
public:
    static constexpr std::string_view kOwnApplication = "zentrel";

    VietIMEManagerHarness() {
        permissions = makePermissions();
        settle();
    }
    // Runs the workers and the main-thread jobs they post; IBus's worker
    // not while `ibusHangs`.
    void settle() {
        while (pool.drain() + (ibusHangs ? 0 : ibusWorker.drain()) + main.drain() > 0) {
        }
    }

    void makeManager() {
        manager = std::make_unique<typing::VietIMEManager>(typing::VietIMEManagerServices{
            stored->prefs, stored->ruleStore, bridge, contextSource, tap, inputMethod, *permissions, notifications, layout,
            clock, main, didBecomeActive, appActivated, std::string(kOwnApplication), &installer, ibusWorker});
        settle();
    }
    // A new run: the settings read again from the home's files, a new manager over them.
    void reopen() {
        manager.reset();
        stored = std::make_unique<StoredTypingSettings>(layout, clock);
        makeManager();
        manager->loadSettings();
        settle();
    }
    // The application in front, as a switch to it reports it.
    void bringToFront(std::optional<std::string> application) {
        elements.bundle = std::move(application);
        appActivated.emit();
        settle();
    }
    [[nodiscard]] typing::VietIMESharedSnapshot snapshot() const {
        return typing::VietIMESharedSettings::load(layout);
    }
    [[nodiscard]] platform::DefaultsStore& standard() { return stored->standard; }

    TempDir dir;
    platform::HostLayout layout = platform::HostLayout::forHome(dir.path());
    std::unique_ptr<StoredTypingSettings> stored = std::make_unique<StoredTypingSettings>(layout, clock);
    platform::Signal<> appActivated;
    std::unique_ptr<services::PermissionsManager> permissions;
    NullKeyPoster poster;
    platform::MemoryClipboard clipboard;
    typing::NoFocusedTextWriter writer;
    typing::IMEEventBridge bridge{poster, clipboard, writer};
    ScriptedFrontmostElements elements;
    typing::IMEContextDetector detector{elements};
    HeldFocusContextSource contextSource{detector};
    FakeKeyTap tap;
    ScriptedInputMethodStatus inputMethod;
    RecordingNotificationCenter notifications;
    // Every command the installer started.
    std::vector<std::vector<std::string>> launched;
    typing::ZentrelIMEInstaller installer{{dir.path() / "app", dir.path() / "usr/bin", layout, inputMethod,
                                           [this](const std::vector<std::string>& command) {
                                               launched.push_back(command);
                                               return true;
                                           }}};
    // The manager's IBus worker: its jobs run in order when the test runs them.
    ManualExecutor ibusWorker;
    bool ibusHangs = false;
    std::unique_ptr<typing::VietIMEManager> manager;
};

}  // namespace zentrel::testing
