#pragma once
// The Vietnamese typing card of the features page: what it shows (the
// switch, the permission notice, the typing mode, the input-method install
// and selection rows, the input method and its options, the rule engine's
// details, the excluded applications) and what its controls do. Every
// setting goes to the typing manager, one assignment per change; so do
// installing and selecting the input method, which the manager runs on its
// input-method worker, never on the window's thread. The re-check of
// permission and input method runs when the card is shown and each time
// the app becomes active while it is shown.

#include "platform/concurrency/Clock.hpp"
#include "platform/settings/AnnouncedValue.hpp"
#include "services/permissions/PermissionsManager.hpp"
#include "typing/integration/VietIMEManager.hpp"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zentrel::ui {

struct TypingCardServices {
    typing::VietIMEManager& manager;
    services::PermissionsManager& permissions;
    platform::TimerScheduler& timers;
    // This app came to the front.
    platform::Signal<>& applicationDidBecomeActive;
};

// One option switch: its title, its hover help and the option it sets.
struct OptionSwitch {
    std::string_view title;
    std::string_view help;
    bool typing::VietIMEOptions::*field;
};

// "Tuỳ chọn nâng cao", then the nested "Tuỳ chỉnh thêm".
extern const std::array<OptionSwitch, 3> kAdvancedOptionSwitches;
extern const std::array<OptionSwitch, 5> kMoreOptionSwitches;

// An install or selection status row: a symbol, accent or grey, and its text.
struct StatusRow {
    std::string symbol;
    bool accent = false;
    std::string text;

    bool operator==(const StatusRow&) const = default;
};

struct TypingCardState {
    bool isEnabled = false;
    bool needsAttention = false;
    // Why typing is off after the switch was turned on: the key tap cannot run here.
    std::optional<std::string> refusal;
    bool showsAccessibilityNotice = false;

    typing::VietIMEIntegrationMode integrationMode = typing::VietIMEIntegrationMode::cgEvent;
    bool integrationModeEnabled = false;
    std::string integrationModeDetail;
    // While typing is on: which path types, the key tap or the input method,
    // and where the tap cannot type right in the program in front.
    std::optional<std::string> typingPath;
    // The tap cannot type right in the program in front: one click turns typing to the input method.
    bool offersInputMethod = false;

    bool showsInstallSection = false;
    StatusRow installRow;
    std::optional<StatusRow> selectionRow;
    bool showsSelectButton = false;
    std::optional<std::string> installError;
    // What the last install did instead of installing.
    std::optional<std::string> installNote;

    typing::VietInputMethod inputMethod = typing::VietInputMethod::telex;
    std::optional<std::string> methodDescription;
    // The method picker, both option rows, the rule-engine switch and the shortcut row.
    bool controlsEnabled = false;
    typing::VietIMEOptions options;

    bool ruleEngineEnabled = false;
    bool showsRuleDetails = false;
    std::optional<std::string> matchedRuleLine;
    // The window title, the focused element and the application, as far as known.
    std::vector<std::string> contextLines;

    std::string exclusionSummary;
    std::vector<std::string> excludedApps;
};

class VietnameseIMECardPresenter final {
public:
    static constexpr auto kStatusFollowUps = typing::VietIMEManager::kStatusFollowUps;

    explicit VietnameseIMECardPresenter(TypingCardServices services);
    VietnameseIMECardPresenter(const VietnameseIMECardPresenter&) = delete;
    VietnameseIMECardPresenter& operator=(const VietnameseIMECardPresenter&) = delete;

    [[nodiscard]] TypingCardState state() const;
    // Calls `changed` after every change of what the card shows.
    [[nodiscard]] platform::Subscription observe(std::function<void()> changed);

    // The card came into view or left it.
    void cardShown();
    void cardHidden();

    void setEnabled(bool enabled);
    void chooseInputMethod(typing::VietInputMethod method);
    void setOption(bool typing::VietIMEOptions::*field, bool value);
    void chooseToneRule(typing::VietToneRule rule);
    void chooseIntegrationMode(typing::VietIMEIntegrationMode mode);
    // The automatic mode, which types through the input method where IBus runs.
    void typeThroughInputMethod();
    void setRuleEngineEnabled(bool enabled);
    void reEnable(const std::string& bundleID);

    void install();
    void selectInputMethod();
    void openInputSourcesSettings();

    // Permission and input method read again; the app's activation runs it while the card is shown.
    void recheck();
    void recheckAccessibility();
    void grantAccessibility();
    void relaunch();

private:
    TypingCardServices services_;
    // The message of the last failed install, or what it did instead, until the next attempt.
    platform::AnnouncedValue<std::optional<std::string>> installError_;
    platform::AnnouncedValue<std::optional<std::string>> installNote_;
    platform::Subscription activation_;
    // Answers that come after the card is gone are dropped.
    std::shared_ptr<const int> alive_ = std::make_shared<const int>(0);
};

}  // namespace zentrel::ui
