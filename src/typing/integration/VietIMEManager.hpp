#pragma once
// The one owner of Vietnamese typing in the main app: the typing settings as
// observable properties stored in the settings, the keyboard tap whose
// events go to the event bridge, the focused context and the injection
// profile resolved for it, the snapshot the input-method program reads, and
// typing switched on and off with the Accessibility permission. Main thread.
// Every question to IBus and every install, selection and give-back runs on
// the input-method worker, in order and within `kInputMethodAnswerLimit`;
// the manager's state changes when the answer is posted back.
//
// The settings' setters store the value and run its effects after every
// assignment, also of an equal value; their properties announce every
// assignment.

#include "model/UserPreferences.hpp"
#include "platform/concurrency/Clock.hpp"
#include "platform/concurrency/TimedAnswers.hpp"
#include "platform/desktop/DistributedNotificationCenter.hpp"
#include "platform/input/InputMethodStatus.hpp"
#include "platform/input/KeyboardEventTap.hpp"
#include "platform/places/HostLayout.hpp"
#include "platform/settings/AnnouncedValue.hpp"
#include "services/permissions/PermissionsManager.hpp"
#include "typing/integration/FocusContextSource.hpp"
#include "typing/integration/IMEEventBridge.hpp"
#include "typing/integration/InjectionRuleEngine.hpp"
#include "typing/integration/InjectionRuleStore.hpp"
#include "typing/integration/ZentrelIMEInstaller.hpp"

#include <array>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace zentrel::typing {

struct VietIMEManagerServices {
    model::UserPreferences& prefs;
    InjectionRuleStore& ruleStore;
    IMEEventBridge& bridge;
    FocusContextSource& contextSource;
    platform::KeyboardEventTap& tap;
    const platform::InputMethodStatus& inputMethodStatus;
    services::PermissionsManager& permissions;
    platform::DistributedNotificationCenter& notifications;
    const platform::HostLayout& layout;
    platform::TimerScheduler& timers;
    platform::MainQueue& main;
    // This app came to the front; any application came to the front.
    platform::Signal<>& applicationDidBecomeActive;
    platform::Signal<>& applicationActivated;
    // This program's own application identifier: its windows are never the
    // application a rule is made for.
    std::string ownApplicationID = {};
    // Installs and selects the input method when typing goes through it;
    // none: the user selects it.
    ZentrelIMEInstaller* installer = nullptr;
    // Where IBus is asked and the installer runs: a serial executor, so
    // that the calls stay in order.
    platform::Executor& inputMethodWorker;
};

class VietIMEManager final {
public:
    static constexpr auto kContextPollInterval = std::chrono::milliseconds(1500);
    static constexpr auto kPermissionPollInterval = std::chrono::seconds(1);
    static constexpr int kPermissionPollLimit = 30;
    // A focused context not read by then counts as none: keys are used as typed.
    static constexpr auto kContextAnswerLimit = std::chrono::seconds(1);
    // After an install or a selection IBus changes without being awaited:
    // its status is read again at once and after each of these waits.
    static constexpr std::array<platform::Duration, 2> kStatusFollowUps = {std::chrono::seconds(1),
                                                                           std::chrono::seconds(3)};
    // An IBus that has not answered by then counts as not answering: what
    // was known stays, and the key tap no longer waits for a selection.
    static constexpr auto kInputMethodAnswerLimit = std::chrono::seconds(3);

    explicit VietIMEManager(VietIMEManagerServices services);
    VietIMEManager(const VietIMEManager&) = delete;
    VietIMEManager& operator=(const VietIMEManager&) = delete;

    platform::AnnouncedValue<bool> isEnabled{false};
    platform::AnnouncedValue<VietInputMethod> inputMethod{VietInputMethod::telex};
    platform::AnnouncedValue<VietIMEOptions> options{VietIMEOptions::defaultOptions};
    platform::AnnouncedValue<std::vector<std::string>> excludedApps;
    platform::AnnouncedValue<bool> ruleEngineEnabled{true};
    platform::AnnouncedValue<VietIMEIntegrationMode> integrationMode{VietIMEIntegrationMode::cgEvent};
    platform::AnnouncedValue<bool> imkitInstalled{false};
    platform::AnnouncedValue<bool> imkitSelected{false};
    // The desktop selects among input sources of its own (GNOME): only the
    // user can select the input method there.
    platform::AnnouncedValue<bool> desktopKeepsInputSources{false};
    platform::AnnouncedValue<std::optional<std::string>> frontmostBundleID;
    platform::AnnouncedValue<std::optional<std::string>> frontmostWindowTitle;
    platform::AnnouncedValue<std::optional<std::string>> focusedElementLabel;
    platform::AnnouncedValue<ResolvedInjection> resolvedInjection;
    // The application in front reads its keys through IBus, which runs: the
    // key tap lets them through untouched (its resolved injection passes).
    platform::AnnouncedValue<bool> frontmostReadsKeysThroughInputMethod{false};
    platform::AnnouncedValue<std::vector<InjectionRule>> customInjectionRules;
    platform::AnnouncedValue<std::set<std::string>> disabledBuiltInRuleIDs;
    // Why typing through the key tap cannot run here (a Wayland session, no
    // X display), for the typing card to show beside the input-method mode.
    platform::AnnouncedValue<std::optional<std::string>> eventTapUnavailableReason;
    // The last context captured in another application than this one: where
    // the user last typed, for the rules sheet's new rule.
    platform::AnnouncedValue<std::optional<IMEContext>> lastOtherAppContext;

    // Assignments with their effects.
    void setIsEnabled(bool value);
    void setInputMethod(VietInputMethod value);
    void setOptions(const VietIMEOptions& value);
    void setExcludedApps(std::vector<std::string> value);
    void setRuleEngineEnabled(bool value);
    void setIntegrationMode(VietIMEIntegrationMode value);

    // Applies the stored settings; the window's start-up calls it once.
    // What depends on IBus (the mode not chosen yet, typing turned on again)
    // follows its answer.
    void loadSettings();
    // The user's switch, with the permission flow; where typing may go
    // through the input method, once IBus answered.
    void setEnabled(bool enabled);
    void publishSharedSnapshot();
    void applyStateToBridge();
    // Reads IBus's status again; applied when it answers.
    void refreshIMKitStatus();
    // The same, again after each of `kStatusFollowUps`.
    void refreshIMKitStatusWithFollowUps();
    // Typing goes through the input method: installed where IBus lacks it,
    // then selected in IBus; the key tap waits meanwhile. Nothing where no
    // IBus runs, it failed or did not answer. `then` runs after the answer.
    void useInputMethod(std::function<void(VietIMEManager&)> then = {});
    // Typing no longer goes through the input method: IBus selects the
    // engine used before it.
    void leaveInputMethod();
    // The installer's steps for the typing card and the permission
    // checklist, on the same worker. `done` gets the install's result, or
    // none when IBus did not answer in time.
    void installInputMethod(std::function<void(std::optional<ZentrelIMEInstaller::InstallResult>)> done);
    // Selects the engine where IBus lists it.
    void selectInputMethod();
    void openInputSourcesSettings();
    [[nodiscard]] bool usesEventTap() const;
    [[nodiscard]] bool shouldRunEventTap() const;
    void removeExcludedApp(const std::string& bundleID);
    void setBuiltInRule(const std::string& id, bool enabled);
    // After the rules sheet changed `customInjectionRules`.
    void persistInjectionRules();
    void startAggressivePermissionPoll();
    void toggleExclusionForFrontmostApp();
    void toggleExclusion(const std::string& app);
    // A notification from this session (any thread): the input method's
    // request to switch typing for a program is carried out on the main thread.
    void notificationReceived(std::string_view name);
    void accessibilityTrustChanged(bool trusted);
    // The built-in rules with a switch: all but "secure-input" and "default".
    [[nodiscard]] static std::vector<InjectionRule> toggleableBuiltInRules();

    [[nodiscard]] bool isContextPolling() const { return contextPollTimer_.isActive(); }
    [[nodiscard]] bool isPermissionPolling() const { return aggressivePermissionTimer_.isActive(); }
    [[nodiscard]] const IMEContext& lastCapturedContext() const { return lastCapturedContext_; }

private:
    void startEventTap();
    void stopEventTap();
    void applyContext(const IMEContext& context);
    // Asks for the focused context; `then` gets the answer, or no context
    // when none came within the limit. Only the newest question is answered.
    void captureContext(std::function<void(VietIMEManager&, const IMEContext&)> then);
    void captureAndApplyContext();
    void compareAndApplyContext();
    void startContextPolling();
    void applyInjectionRules();
    void installObservers();
    // The rest of `setEnabled(true)`, once the path is known.
    void continueEnabling();
    // The rest of `loadSettings()`, once IBus's status is known.
    void finishLoading(bool ibusRunning);
    // IBus's status as read on the worker; none when it did not answer.
    void applyIMKitStatus(const std::optional<platform::InputMethodReading>& reading);
    // The tap runs or stops as the typing path now says.
    void applyTypingPath();
    // Runs `action` on the main thread later, while this manager exists.
    void later(std::function<void(VietIMEManager&)> action);

    VietIMEManagerServices services_;
    InjectionRuleEngine ruleEngine_;
    IMEContext lastCapturedContext_;
    platform::Timer contextPollTimer_;
    platform::Timer aggressivePermissionTimer_;
    platform::Timer contextAnswerTimer_;
    std::uint64_t contextQuestion_ = 0;
    int aggressivePollCount_ = 0;
    bool lastKnownAccessibilityTrust_ = false;
    std::vector<platform::Subscription> subscriptions_;
    std::vector<platform::Timer> statusFollowUps_;
    // This manager asked IBus to select the input method and has not yet
    // seen it selected: the key tap waits meanwhile.
    bool selectingInputMethod_ = false;
    // IBus ran at its last answer.
    bool ibusRunning_ = false;
    // Turning typing on that waits for IBus; a newer switch supersedes it.
    std::uint64_t enableRequest_ = 0;
    std::shared_ptr<VietIMEManager*> self_ = std::make_shared<VietIMEManager*>(this);
    platform::TimedAnswers ibus_;
    // Last, so that it ends first: its thread posts to this manager.
    platform::Subscription engineChanges_;
};

}  // namespace zentrel::typing
