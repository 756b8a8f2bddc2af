#include "ui/presenters/VietnameseIMECardPresenter.hpp"

#include "platform/text/Localization.hpp"
#include "platform/text/NumberFormatter.hpp"

namespace zentrel::ui {

using typing::VietIMEIntegrationMode;
using typing::VietIMEOptions;
using typing::VietInputMethod;

const std::array<OptionSwitch, 3> kAdvancedOptionSwitches = {{
    {N_("w đơn → ư"), N_("wngs→ứng, uw→ư"), &VietIMEOptions::standaloneW},
    {N_("Xoá dấu (z / 0)"), N_("toansz → toan"), &VietIMEOptions::clearToneKey},
    {N_("Bỏ qua từ tiếng Anh"), N_("window, computer…"), &VietIMEOptions::skipTransformForEnglish},
}};

const std::array<OptionSwitch, 5> kMoreOptionSwitches = {{
    {N_("Gõ lặp escape"), "guitarr→guitar", &VietIMEOptions::repeatKeyEscape},
    {N_("Telex giản lược"), N_("Tắt w/[ ] standalone"), &VietIMEOptions::simplifiedTelex},
    {N_("Quick Telex"), "cc→ch, nn→ng…", &VietIMEOptions::quickTelex},
    {N_("Gõ tắt phụ âm"), "f→ph, g→ng…", &VietIMEOptions::consonantShortcuts},
    {N_("Phục hồi gốc (Ctrl+⌥)"), N_("Trả về chuỗi phím gốc"), &VietIMEOptions::allowRawRestore},
}};

namespace {

// Where the key tap cannot type right in the program in front, and why.
enum class TapLimit { none, readsKeysThroughIBus, terminal };

TapLimit tapLimitIn(const typing::VietIMEManager& m) {
    if (!m.usesEventTap()) return TapLimit::none;
    if (m.frontmostReadsKeysThroughInputMethod()) return TapLimit::readsKeysThroughIBus;
    if (m.resolvedInjection().profile == typing::InjectionProfile::terminal) return TapLimit::terminal;
    return TapLimit::none;
}

std::string_view typingPathText(bool usesTap, bool inputMethodSelected, bool onlyTheUserSelects, TapLimit limit) {
    // Where the desktop keeps its own input sources, selecting is the user's step: say which.
    if (onlyTheUserSelects && !inputMethodSelected)
        return N_("GNOME selects input sources itself: add Zentrel Vietnamese under Settings → Keyboard → Input Sources, "
               "then choose it in the top bar");
    switch (limit) {
    case TapLimit::readsKeysThroughIBus:
        return N_("The key tap cannot type in this program: it reads its keys through IBus. Type through the input "
                  "method to write Vietnamese here");
    case TapLimit::terminal:
        return N_("Typing through the key tap: in a terminal, keys typed 10 ms apart can come out wrong. The input "
                  "method types right here");
    case TapLimit::none: break;
    }
    if (usesTap) return N_("Typing through the key tap");
    if (inputMethodSelected) return N_("Typing through the Zentrel input method in IBus");
    return N_("Not typing yet: select Zentrel in IBus");
}

std::string_view methodDescription(VietInputMethod method) {
    switch (method) {
    case VietInputMethod::telex: return N_("Telex — aa→â, ow→ơ, uw/w→ư, z→xoá dấu, gõ lặp escape");
    case VietInputMethod::vni: return N_("VNI — a6→â, a8→ă, o7→ơ, u7→ư, 0→xoá dấu");
    case VietInputMethod::viqr: return N_("VIQR — a^→â, a(→ă, o+→ơ, u+→ư, '→sắc, `→huyền");
    }
    return {};
}

bool hasText(const std::optional<std::string>& text) { return text && !text->empty(); }

}  // namespace

VietnameseIMECardPresenter::VietnameseIMECardPresenter(TypingCardServices services) : services_(services) {}

TypingCardState VietnameseIMECardPresenter::state() const {
    const auto& m = services_.manager;
    const bool usesTap = m.usesEventTap();
    const bool trusted = services_.permissions.accessibility();
    TypingCardState s;
    s.isEnabled = m.isEnabled();
    s.needsAttention = usesTap && !trusted;
    s.showsAccessibilityNotice = s.needsAttention;
    if (!s.isEnabled && usesTap) s.refusal = m.eventTapUnavailableReason();

    s.integrationMode = m.integrationMode();
    // Where the tap cannot run, the mode is what turns typing on: it stays choosable.
    s.integrationModeEnabled = s.isEnabled || s.refusal.has_value();
    s.integrationModeDetail = platform::localized(typing::detail(s.integrationMode));
    if (s.isEnabled) {
        const bool userSelects = s.integrationMode != VietIMEIntegrationMode::cgEvent && m.desktopKeepsInputSources();
        const auto limit = tapLimitIn(m);
        s.typingPath = platform::localized(typingPathText(m.usesEventTap(), m.imkitSelected(), userSelects, limit));
        s.offersInputMethod = limit != TapLimit::none;
    }

    s.showsInstallSection = s.integrationMode != VietIMEIntegrationMode::cgEvent && s.isEnabled;
    const bool installed = m.imkitInstalled();
    s.installRow = installed ? StatusRow{"checkmark.circle.fill", true,
                                         platform::localized("IME đã cài trong ~/Library/Input Methods")}
                             : StatusRow{"circle.dashed", false, platform::localized("Chưa cài Zentrel IME")};
    if (installed) {
        s.selectionRow = m.imkitSelected()
                             ? StatusRow{"keyboard.fill", true, platform::localized("Đang chọn trong menu input")}
                             : StatusRow{"keyboard", false, platform::localized("Chưa chọn Zentrel trong menu input")};
    }
    s.showsSelectButton = installed;
    s.installError = installError_();
    s.installNote = installNote_();

    s.inputMethod = m.inputMethod();
    if (s.isEnabled) s.methodDescription = platform::localized(methodDescription(s.inputMethod));
    s.controlsEnabled = s.isEnabled;
    s.options = m.options();

    s.ruleEngineEnabled = m.ruleEngineEnabled();
    s.showsRuleDetails = s.ruleEngineEnabled && s.isEnabled;
    if (s.showsRuleDetails) {
        if (const auto& name = m.resolvedInjection().matchedRuleName)
            s.matchedRuleLine = platform::localizedFormat("Đang dùng: %@", {*name});
        if (hasText(m.frontmostWindowTitle())) s.contextLines.push_back(*m.frontmostWindowTitle());
        if (hasText(m.focusedElementLabel()))
            s.contextLines.push_back(platform::localizedFormat("Focus: %@", {*m.focusedElementLabel()}));
        if (m.frontmostBundleID()) s.contextLines.push_back(*m.frontmostBundleID());
    }

    s.excludedApps = m.excludedApps();
    s.exclusionSummary = s.excludedApps.empty()
                             ? platform::localized("Chưa tắt ở app nào.")
                             : platform::localizedFormat(N_COUNTED("Đang tắt ở %lld app"), {platform::formatCount(s.excludedApps.size())});
    return s;
}

platform::Subscription VietnameseIMECardPresenter::observe(std::function<void()> changed) {
    auto subscriptions = std::make_shared<std::vector<platform::Subscription>>();
    const auto any = [changed](const auto&) { changed(); };
    auto& m = services_.manager;
    subscriptions->push_back(m.isEnabled.observe(any));
    subscriptions->push_back(m.inputMethod.observe(any));
    subscriptions->push_back(m.options.observe(any));
    subscriptions->push_back(m.excludedApps.observe(any));
    subscriptions->push_back(m.ruleEngineEnabled.observe(any));
    subscriptions->push_back(m.integrationMode.observe(any));
    subscriptions->push_back(m.imkitInstalled.observe(any));
    subscriptions->push_back(m.imkitSelected.observe(any));
    subscriptions->push_back(m.frontmostBundleID.observe(any));
    subscriptions->push_back(m.frontmostWindowTitle.observe(any));
    subscriptions->push_back(m.focusedElementLabel.observe(any));
    subscriptions->push_back(m.resolvedInjection.observe(any));
    subscriptions->push_back(m.frontmostReadsKeysThroughInputMethod.observe(any));
    subscriptions->push_back(m.eventTapUnavailableReason.observe(any));
    subscriptions->push_back(services_.permissions.accessibility.observe(any));
    subscriptions->push_back(installError_.observe(any));
    subscriptions->push_back(installNote_.observe(any));
    subscriptions->push_back(m.desktopKeepsInputSources.observe(any));
    return platform::Subscription([subscriptions] { subscriptions->clear(); });
}

void VietnameseIMECardPresenter::cardShown() {
    recheck();
    activation_ = services_.applicationDidBecomeActive.subscribe([this] { recheck(); });
}

void VietnameseIMECardPresenter::cardHidden() { activation_.reset(); }

// ---- Settings ----

void VietnameseIMECardPresenter::setEnabled(bool enabled) { services_.manager.setEnabled(enabled); }

void VietnameseIMECardPresenter::chooseInputMethod(VietInputMethod method) {
    services_.manager.setInputMethod(method);
}

void VietnameseIMECardPresenter::setOption(bool VietIMEOptions::*field, bool value) {
    auto options = services_.manager.options();
    options.*field = value;
    services_.manager.setOptions(options);
}

void VietnameseIMECardPresenter::chooseToneRule(typing::VietToneRule rule) {
    auto options = services_.manager.options();
    options.toneRule = rule;
    services_.manager.setOptions(options);
}

void VietnameseIMECardPresenter::chooseIntegrationMode(VietIMEIntegrationMode mode) {
    auto& manager = services_.manager;
    // Away from the input method, IBus goes back to the engine used before;
    // towards it while typing is on, it selects ours.
    if (mode == VietIMEIntegrationMode::cgEvent) manager.leaveInputMethod();
    manager.setIntegrationMode(mode);
    if (mode != VietIMEIntegrationMode::cgEvent && manager.isEnabled()) manager.useInputMethod();
}

void VietnameseIMECardPresenter::typeThroughInputMethod() { chooseIntegrationMode(VietIMEIntegrationMode::hybrid); }

void VietnameseIMECardPresenter::setRuleEngineEnabled(bool enabled) {
    services_.manager.setRuleEngineEnabled(enabled);
}

void VietnameseIMECardPresenter::reEnable(const std::string& bundleID) {
    services_.manager.removeExcludedApp(bundleID);
}

// ---- Input method ----

void VietnameseIMECardPresenter::install() {
    installError_.set(std::nullopt);
    installNote_.set(std::nullopt);
    services_.manager.installInputMethod(
        [this, alive = std::weak_ptr<const int>(alive_)](std::optional<typing::ZentrelIMEInstaller::InstallResult> result) {
            if (!alive.lock()) return;
            if (!result) {
                installError_.set(platform::localized("IBus did not answer: try again in a moment"));
                return;
            }
            if (const auto* error = std::get_if<typing::ZentrelIMEInstaller::InstallError>(&*result)) {
                installError_.set(platform::localized(error->description()));
            } else if (std::holds_alternative<typing::ZentrelIMEInstaller::ProvidedBySystem>(*result)) {
                installNote_.set(platform::localized(
                    "The installed Zentrel package already provides the input method: it is selected in IBus"));
            }
        });
}

void VietnameseIMECardPresenter::selectInputMethod() { services_.manager.selectInputMethod(); }

void VietnameseIMECardPresenter::openInputSourcesSettings() { services_.manager.openInputSourcesSettings(); }

// ---- Permission ----

void VietnameseIMECardPresenter::recheck() {
    recheckAccessibility();
    services_.manager.refreshIMKitStatus();
}

void VietnameseIMECardPresenter::recheckAccessibility() {
    auto& permissions = services_.permissions;
    permissions.probeAndApply(false, true, platform::Duration::zero(), ++permissions.refreshGeneration);
}

void VietnameseIMECardPresenter::grantAccessibility() {
    services_.permissions.request(services::SystemPermission::accessibility);
    services_.manager.startAggressivePermissionPoll();
}

void VietnameseIMECardPresenter::relaunch() { services_.permissions.relaunch(); }

}  // namespace zentrel::ui
