#include "typing/integration/VietIMEManager.hpp"

#include "platform/text/Localization.hpp"
#include "platform/text/Warnings.hpp"
#include "typing/engine/VietIMESharedSettings.hpp"
#include "typing/integration/BuiltInInjectionRules.hpp"
#include "typing/integration/InjectionRuleCatalog.hpp"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <utility>

namespace zentrel::typing {
namespace {

constexpr std::string_view kEnabledKey = "vietIMEEnabled";
constexpr std::string_view kMethodKey = "vietIMEMethod";
constexpr std::string_view kExcludedAppsKey = "vietIMEExcludedApps";
constexpr std::string_view kRuleEngineEnabledKey = "vietIMERuleEngineEnabled";
constexpr std::string_view kIntegrationModeKey = "vietIMEIntegrationMode";

// A list of texts stored as JSON data; empty when absent or unreadable.
std::vector<std::string> storedTexts(const platform::DefaultsStore& defaults, std::string_view key) {
    std::vector<std::string> texts;
    const auto parsed = model::storedJson(defaults, key);
    if (!parsed || !parsed->is_array()) return texts;
    for (const auto& entry : *parsed)
        if (entry.is_string()) texts.push_back(entry.get<std::string>());
    return texts;
}

}  // namespace

VietIMEManager::VietIMEManager(VietIMEManagerServices services)
    : services_(services),
      ruleEngine_(BuiltInInjectionRules::all(), true),
      ibus_(services_.inputMethodWorker, services_.main, services_.timers, kInputMethodAnswerLimit) {
    refreshIMKitStatus();
    customInjectionRules.set(services_.ruleStore.customRules());
    disabledBuiltInRuleIDs.set(services_.ruleStore.disabledBuiltInRuleIDs());
    applyInjectionRules();
    installObservers();
    applyStateToBridge();
    std::weak_ptr<VietIMEManager*> weak = self_;
    services_.bridge.withLock([weak](IMEEventBridge::State& state) {
        // The bridge calls these from the tap while it holds its lock: they only post work.
        state.onToggleCurrentApp = [weak] {
            if (auto self = weak.lock()) (*self)->later([](VietIMEManager& m) { m.toggleExclusionForFrontmostApp(); });
        };
        state.onContextMayHaveChanged = [weak] {
            if (auto self = weak.lock()) (*self)->later([](VietIMEManager& m) { m.compareAndApplyContext(); });
        };
    });
    subscriptions_.push_back(
        services_.permissions.accessibility.observe([this](const bool& trusted) { accessibilityTrustChanged(trusted); }));
    accessibilityTrustChanged(services_.permissions.accessibility());
    // An engine picked from outside (IBus's own menu, `ibus engine`) stops or starts the tap at once; one
    // picked before the watch listens (or while IBus restarts) is read once it does.
    auto& main = services_.main;
    const auto refresh = [weak, &main] {
        main.post([weak] {
            if (auto self = weak.lock()) (*self)->refreshIMKitStatus();
        });
    };
    engineChanges_ = services_.inputMethodStatus.observeEngineChanges(refresh, refresh);
}

void VietIMEManager::later(std::function<void(VietIMEManager&)> action) {
    std::weak_ptr<VietIMEManager*> weak = self_;
    services_.main.post([weak, action = std::move(action)] {
        if (auto self = weak.lock()) action(**self);
    });
}

// ---- Settings and their effects ----

void VietIMEManager::setIsEnabled(bool value) {
    isEnabled.set(value);
    services_.prefs.defaults().setBool(kEnabledKey, value);
    publishSharedSnapshot();
    applyStateToBridge();
    if (value) {
        startEventTap();
    } else {
        stopEventTap();
    }
}

void VietIMEManager::setInputMethod(VietInputMethod value) {
    inputMethod.set(value);
    services_.prefs.defaults().setString(kMethodKey, std::string(rawValue(value)));
    publishSharedSnapshot();
    applyStateToBridge();
    // A word begun under one method does not go on under another.
    services_.bridge.resetComposition();
}

void VietIMEManager::setOptions(const VietIMEOptions& value) {
    options.set(value);
    services_.prefs.setVietIMEOptions(value);
    publishSharedSnapshot();
    applyStateToBridge();
}

void VietIMEManager::setExcludedApps(std::vector<std::string> value) {
    services_.prefs.defaults().setData(kExcludedAppsKey, platform::bytesOf(nlohmann::json(value).dump()));
    excludedApps.set(std::move(value));
    publishSharedSnapshot();
    applyStateToBridge();
}

void VietIMEManager::setRuleEngineEnabled(bool value) {
    ruleEngineEnabled.set(value);
    services_.prefs.defaults().setBool(kRuleEngineEnabledKey, value);
    ruleEngine_.setEnabled(value);
    captureAndApplyContext();
}

void VietIMEManager::setIntegrationMode(VietIMEIntegrationMode value) {
    integrationMode.set(value);
    services_.prefs.defaults().setString(kIntegrationModeKey, std::string(rawValue(value)));
    publishSharedSnapshot();
    applyStateToBridge();
    if (isEnabled()) {
        startEventTap();
    } else {
        stopEventTap();
    }
}

void VietIMEManager::loadSettings() {
    auto& prefs = services_.prefs;
    setInputMethod(prefs.vietIMEMethod());
    setOptions(prefs.vietIMEOptions());
    setExcludedApps(storedTexts(prefs.defaults(), kExcludedAppsKey));
    setRuleEngineEnabled(prefs.vietIMERuleEngineEnabled());
    const auto& status = services_.inputMethodStatus;
    ibus_.ask<platform::InputMethodReading>([&status] { return status.reading(); },
                                            [this](std::optional<platform::InputMethodReading> reading) {
                                                applyIMKitStatus(reading);
                                                finishLoading(reading && reading->running);
                                            });
}

void VietIMEManager::finishLoading(bool ibusRunning) {
    auto& prefs = services_.prefs;
    if (prefs.hasChosenVietIMEIntegrationMode()) {
        setIntegrationMode(prefs.vietIMEIntegrationMode());
    } else {
        // Not chosen yet: the input method where IBus runs, else the key
        // tap. Not stored, so that a later session decides afresh.
        integrationMode.set(ibusRunning ? VietIMEIntegrationMode::hybrid : VietIMEIntegrationMode::cgEvent);
        publishSharedSnapshot();
        applyStateToBridge();
    }
    customInjectionRules.set(services_.ruleStore.customRules());
    disabledBuiltInRuleIDs.set(services_.ruleStore.disabledBuiltInRuleIDs());
    ruleEngine_.setEnabled(ruleEngineEnabled());
    applyInjectionRules();
    publishSharedSnapshot();
    if (prefs.defaults().boolean(kEnabledKey) &&
        (integrationMode() == VietIMEIntegrationMode::imkit || services_.permissions.accessibility())) {
        setIsEnabled(true);
    }
}

void VietIMEManager::publishSharedSnapshot() {
    const auto snapshot = VietIMESharedSettings::snapshot(isEnabled(), inputMethod(), options(), excludedApps(),
                                                          services_.prefs.vietIMEUseMarkedText());
    (void)VietIMESharedSettings::save(snapshot, services_.layout, services_.notifications);
}

void VietIMEManager::applyStateToBridge() {
    services_.bridge.withLock([this](IMEEventBridge::State& state) {
        state.isEnabled = shouldRunEventTap();
        state.options = options();
        state.excludedApps = std::set<std::string>(excludedApps().begin(), excludedApps().end());
        state.frontmostBundleID = frontmostBundleID();
        state.resolvedInjection = resolvedInjection();
        state.engine.inputMethod = inputMethod();
        state.engine.options = options();
    });
}

bool VietIMEManager::usesEventTap() const {
    switch (integrationMode()) {
    // With the input method selected, the tap would convert its output again.
    case VietIMEIntegrationMode::cgEvent: return !imkitSelected();
    case VietIMEIntegrationMode::imkit: return false;
    case VietIMEIntegrationMode::hybrid: return !imkitSelected() && !selectingInputMethod_;
    }
    return true;
}

bool VietIMEManager::shouldRunEventTap() const { return isEnabled() && usesEventTap(); }

// ---- The tap ----

void VietIMEManager::startEventTap() {
    if (!shouldRunEventTap()) {
        stopEventTap();
        return;
    }
    if (!services_.permissions.refreshAccessibility()) {
        setIsEnabled(false);
        return;
    }
    if (services_.tap.isInstalled()) return;
    auto& bridge = services_.bridge;
    const bool installed = services_.tap.install([&bridge](const platform::TapEvent& event, bool tapIsPresent) {
        return bridge.handle(event, tapIsPresent) == IMEEventBridge::Verdict::pass;
    });
    if (!installed) {
        const auto reason = services_.tap.unavailableReason();
        eventTapUnavailableReason.set(reason.value_or(N_("The key tap could not be started")));
        platform::warn(*eventTapUnavailableReason());
        setIsEnabled(false);
        return;
    }
    eventTapUnavailableReason.set(std::nullopt);
    startContextPolling();
}

void VietIMEManager::stopEventTap() {
    contextPollTimer_.cancel();
    if (services_.tap.isInstalled()) services_.tap.remove();
    services_.bridge.resetComposition();
}

// ---- Context and rules ----

void VietIMEManager::applyContext(const IMEContext& context) {
    lastCapturedContext_ = context;
    frontmostBundleID.set(context.bundleIdentifier);
    frontmostWindowTitle.set(context.windowTitle);
    focusedElementLabel.set(context.focusedDescription   ? context.focusedDescription
                            : context.focusedIdentifier ? context.focusedIdentifier
                                                        : context.focusedRole);
    // Such a program gets its keys back from IBus after the tap saw them: a
    // fix would land among keys still on their way, so they are left alone.
    frontmostReadsKeysThroughInputMethod.set(context.readsKeysThroughInputMethod && ibusRunning_);
    auto resolved = ruleEngine_.resolve(context);
    if (frontmostReadsKeysThroughInputMethod()) resolved.profile.policy = InputPolicy::disable;
    resolvedInjection.set(resolved);
    const auto& app = context.bundleIdentifier;
    if (app && !app->empty() && *app != services_.ownApplicationID) lastOtherAppContext.set(context);
    applyStateToBridge();
}

void VietIMEManager::captureContext(std::function<void(VietIMEManager&, const IMEContext&)> then) {
    const auto question = ++contextQuestion_;
    std::weak_ptr<VietIMEManager*> weak = self_;
    contextAnswerTimer_ = services_.timers.scheduleOnce(kContextAnswerLimit, [this, question, then] {
        later([question, then](VietIMEManager& m) {
            if (question == m.contextQuestion_) then(m, IMEContext{});
        });
    });
    services_.contextSource.capture([weak, question, then](const IMEContext& context) {
        auto self = weak.lock();
        if (!self || question != (*self)->contextQuestion_) return;
        (*self)->contextAnswerTimer_.cancel();
        then(**self, context);
    });
}

void VietIMEManager::captureAndApplyContext() {
    captureContext([](VietIMEManager& m, const IMEContext& context) { m.applyContext(context); });
}

void VietIMEManager::compareAndApplyContext() {
    captureContext([](VietIMEManager& m, const IMEContext& context) {
        if (context != m.lastCapturedContext_) m.applyContext(context);
    });
}

void VietIMEManager::startContextPolling() {
    contextPollTimer_ = services_.timers.scheduleRepeating(
        kContextPollInterval, [this] { later([](VietIMEManager& m) { m.compareAndApplyContext(); }); });
}

void VietIMEManager::installObservers() {
    subscriptions_.push_back(services_.applicationDidBecomeActive.subscribe([this] {
        later([](VietIMEManager& m) {
            m.refreshIMKitStatus();
            m.captureAndApplyContext();
        });
    }));
    subscriptions_.push_back(services_.applicationActivated.subscribe(
        [this] { later([](VietIMEManager& m) { m.captureAndApplyContext(); }); }));
    captureAndApplyContext();
}

void VietIMEManager::applyInjectionRules() {
    ruleEngine_.updateRules(InjectionRuleCatalog::effectiveRules(customInjectionRules(), disabledBuiltInRuleIDs()));
    captureAndApplyContext();
}

void VietIMEManager::persistInjectionRules() {
    services_.ruleStore.setCustomRules(customInjectionRules());
    services_.ruleStore.setDisabledBuiltInRuleIDs(disabledBuiltInRuleIDs());
    applyInjectionRules();
}

void VietIMEManager::setBuiltInRule(const std::string& id, bool enabled) {
    disabledBuiltInRuleIDs.modify([&](std::set<std::string>& ids) {
        if (enabled) {
            ids.erase(id);
        } else {
            ids.insert(id);
        }
    });
    persistInjectionRules();
}

std::vector<InjectionRule> VietIMEManager::toggleableBuiltInRules() {
    std::vector<InjectionRule> rules;
    for (const auto& rule : BuiltInInjectionRules::all()) {
        if (rule.id != BuiltInInjectionRules::secureInputID && rule.id != BuiltInInjectionRules::defaultID) {
            rules.push_back(rule);
        }
    }
    return rules;
}

// ---- Excluded applications ----

void VietIMEManager::toggleExclusionForFrontmostApp() {
    const auto& app = frontmostBundleID();
    if (app && !app->empty()) toggleExclusion(*app);
}

void VietIMEManager::toggleExclusion(const std::string& app) {
    auto apps = excludedApps();
    if (std::find(apps.begin(), apps.end(), app) != apps.end()) {
        std::erase(apps, app);
    } else {
        apps.push_back(app);
    }
    setExcludedApps(std::move(apps));
}

void VietIMEManager::notificationReceived(std::string_view name) {
    auto program = VietIMESharedSettings::programToToggle(name);
    if (!program) return;
    later([program = std::move(*program)](VietIMEManager& m) {
        if (m.isEnabled()) m.toggleExclusion(program);
    });
}

void VietIMEManager::removeExcludedApp(const std::string& bundleID) {
    auto apps = excludedApps();
    std::erase(apps, bundleID);
    setExcludedApps(std::move(apps));
}

// ---- Input method and permission ----

void VietIMEManager::refreshIMKitStatus() {
    const auto& status = services_.inputMethodStatus;
    ibus_.ask<platform::InputMethodReading>(
        [&status] { return status.reading(); },
        [this](std::optional<platform::InputMethodReading> reading) { applyIMKitStatus(reading); });
}

void VietIMEManager::applyIMKitStatus(const std::optional<platform::InputMethodReading>& reading) {
    if (reading) {
        // Whether the program in front reads its keys through IBus depends on IBus running.
        if (std::exchange(ibusRunning_, reading->running) != reading->running) applyContext(lastCapturedContext_);
        imkitInstalled.set(reading->installed);
        imkitSelected.set(reading->selected);
        desktopKeepsInputSources.set(reading->desktopKeepsInputSources);
    }
    // Selected, or IBus not answering: the tap no longer waits for it.
    if (!reading || imkitSelected()) selectingInputMethod_ = false;
    applyTypingPath();
}

void VietIMEManager::applyTypingPath() {
    if (!isEnabled()) return;
    applyStateToBridge();
    startEventTap();
}

void VietIMEManager::refreshIMKitStatusWithFollowUps() {
    refreshIMKitStatus();
    statusFollowUps_.clear();
    for (const auto wait : kStatusFollowUps) {
        const bool last = wait == kStatusFollowUps.back();
        statusFollowUps_.push_back(services_.timers.scheduleOnce(wait, [this, last] {
            later([last](VietIMEManager& m) {
                // IBus did not select it by then: the tap types where it can.
                if (last) m.selectingInputMethod_ = false;
                m.refreshIMKitStatus();
            });
        }));
    }
}

namespace {

// What turning to the input method did on the worker.
struct InputMethodUse {
    bool used = false;
    bool selecting = false;
    std::optional<std::string> error;
};

InputMethodUse useInputMethodNow(ZentrelIMEInstaller& installer, const platform::InputMethodStatus& status) {
    if (!status.isRunning()) return {};
    if (!status.isInstalled()) {
        const auto result = installer.install();
        if (const auto* error = std::get_if<ZentrelIMEInstaller::InstallError>(&result))
            return {false, false, error->description()};
    }
    if (status.isSelected()) return {true, false, std::nullopt};
    const bool launched = installer.selectInputSource();
    return {launched, launched, std::nullopt};
}

}  // namespace

void VietIMEManager::useInputMethod(std::function<void(VietIMEManager&)> then) {
    auto* installer = services_.installer;
    if (installer == nullptr) {
        if (then) then(*this);
        return;
    }
    // The tap waits while IBus is asked to switch.
    selectingInputMethod_ = true;
    applyTypingPath();
    const auto& status = services_.inputMethodStatus;
    ibus_.ask<InputMethodUse>([installer, &status] { return useInputMethodNow(*installer, status); },
                              [this, then](std::optional<InputMethodUse> use) {
                                  selectingInputMethod_ = use && use->selecting;
                                  if (use && use->error) platform::warn(*use->error);
                                  if (use && use->used) {
                                      refreshIMKitStatusWithFollowUps();
                                  } else {
                                      applyTypingPath();
                                  }
                                  if (then) then(*this);
                              });
}

void VietIMEManager::leaveInputMethod() {
    selectingInputMethod_ = false;
    auto* installer = services_.installer;
    if (installer == nullptr) return;
    ibus_.ask<bool>([installer] { return installer->restorePreviousInputSource(); },
                    [this](std::optional<bool> restored) {
                        if (restored.value_or(false)) refreshIMKitStatusWithFollowUps();
                    });
}

void VietIMEManager::installInputMethod(
    std::function<void(std::optional<ZentrelIMEInstaller::InstallResult>)> done) {
    auto* installer = services_.installer;
    if (installer == nullptr) return;
    ibus_.ask<ZentrelIMEInstaller::InstallResult>(
        [installer] { return installer->install(); },
        [this, done](std::optional<ZentrelIMEInstaller::InstallResult> result) {
            // IBus lists the engine a moment after an install: read it again then.
            if (result && !std::holds_alternative<ZentrelIMEInstaller::InstallError>(*result))
                refreshIMKitStatusWithFollowUps();
            if (done) done(std::move(result));
        });
}

void VietIMEManager::selectInputMethod() {
    auto* installer = services_.installer;
    if (installer == nullptr) return;
    ibus_.ask<bool>([installer] { return installer->findInputSource() && installer->selectInputSource(); },
                    [this](std::optional<bool> launched) {
                        if (launched.value_or(false)) refreshIMKitStatusWithFollowUps();
                    });
}

void VietIMEManager::openInputSourcesSettings() {
    if (auto* installer = services_.installer) ibus_.tell([installer] { installer->openInputSourcesSettings(); });
}

void VietIMEManager::accessibilityTrustChanged(bool trusted) {
    if (trusted == lastKnownAccessibilityTrust_) return;
    lastKnownAccessibilityTrust_ = trusted;
    if (trusted) {
        if (services_.prefs.defaults().boolean(kEnabledKey)) setIsEnabled(true);
    } else if (isEnabled() && usesEventTap()) {
        setIsEnabled(false);
    }
}

void VietIMEManager::setEnabled(bool enabled) {
    const auto request = ++enableRequest_;
    if (!enabled) {
        setIsEnabled(false);
        if (integrationMode() != VietIMEIntegrationMode::cgEvent) leaveInputMethod();
        return;
    }
    if (integrationMode() == VietIMEIntegrationMode::cgEvent) {
        continueEnabling();
        return;
    }
    useInputMethod([request](VietIMEManager& m) {
        if (request == m.enableRequest_) m.continueEnabling();
    });
}

void VietIMEManager::continueEnabling() {
    if (usesEventTap()) {
        // No permission can help where no tap can run: say so instead of asking.
        eventTapUnavailableReason.set(services_.tap.unavailableReason());
        if (eventTapUnavailableReason()) {
            platform::warn(*eventTapUnavailableReason());
            return;
        }
    }
    if (!usesEventTap() || services_.permissions.refreshAccessibility()) {
        // Only the tap needs the permission (hybrid with the input method selected does not).
        setIsEnabled(true);
    } else {
        services_.permissions.request(services::SystemPermission::accessibility);
        startAggressivePermissionPoll();
    }
}

void VietIMEManager::startAggressivePermissionPoll() {
    aggressivePollCount_ = 0;
    aggressivePermissionTimer_ = services_.timers.scheduleRepeating(kPermissionPollInterval, [this] {
        later([](VietIMEManager& m) {
            auto& permissions = m.services_.permissions;
            const auto generation = ++permissions.refreshGeneration;
            m.services_.main.post([&permissions, generation] {
                permissions.probeAndApply(false, true, platform::Duration::zero(), generation);
            });
            ++m.aggressivePollCount_;
            if (permissions.accessibility() || m.aggressivePollCount_ >= kPermissionPollLimit) {
                m.aggressivePermissionTimer_.cancel();
            }
        });
    });
}

}  // namespace zentrel::typing
