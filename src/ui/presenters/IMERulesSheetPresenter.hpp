#pragma once
// The injection rules sheet: the user's rules with a delete action each, the
// built-in rules that can be switched off, and a new rule for the
// application the user last typed in (never this program's own window,
// which holds the sheet). Rules are stored as soon as they change.

#include "platform/text/Localization.hpp"
#include "typing/integration/InjectionProfilePreset.hpp"
#include "typing/integration/VietIMEManager.hpp"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zentrel::ui {

struct UserRuleRow {
    std::string id;
    std::string name;
    std::optional<std::string> bundleLine;  // the first application pattern
    std::string deliveryText;

    bool operator==(const UserRuleRow&) const = default;
};

struct BuiltInRuleRow {
    std::string id;
    std::string name;  // in the window's language
    std::string deliveryText;
    bool isOn = true;

    bool operator==(const BuiltInRuleRow&) const = default;
};

struct RulesSheetState {
    std::vector<UserRuleRow> userRules;
    std::vector<BuiltInRuleRow> builtInRules;
    // The application a new rule is made for; none: "Thêm" is disabled.
    std::optional<std::string> targetApplication;
};

// The key of a way of typing: N_("CGEvent"), N_("AX Direct"), N_("Clipboard paste"),
// N_("Selection + type"); the rows hold its text in the window's language.
[[nodiscard]] std::string_view deliveryModeText(typing::InjectionDeliveryMode mode);

class IMERulesSheetPresenter final {
public:
    explicit IMERulesSheetPresenter(typing::VietIMEManager& manager) : manager_(manager) {}

    [[nodiscard]] RulesSheetState state() const;
    [[nodiscard]] platform::Subscription observe(std::function<void()> changed);

    // The add row's fields; each sheet starts with an empty name and the automatic preset.
    std::string newRuleName;
    typing::InjectionProfilePreset newRulePreset = typing::InjectionProfilePreset::automatic;

    // A rule for the target application with the name (else its window
    // title, else its identifier) and preset; the name field is emptied.
    void add();
    void remove(const std::string& ruleID);
    void setBuiltInRule(const std::string& ruleID, bool enabled);

private:
    typing::VietIMEManager& manager_;
};

}  // namespace zentrel::ui
