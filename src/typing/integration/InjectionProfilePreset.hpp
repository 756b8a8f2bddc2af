#pragma once
// The named profiles the rules sheet offers when the user makes a rule for
// the application in front. Stored and identified by the case name.

#include "typing/integration/InjectionProfile.hpp"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace zentrel::typing {

enum class InjectionProfilePreset { automatic, slow, passthrough, axDirect, paste, selection, webEditor };

inline constexpr std::array<InjectionProfilePreset, 7> kAllInjectionProfilePresets = {
    InjectionProfilePreset::automatic, InjectionProfilePreset::slow,      InjectionProfilePreset::passthrough,
    InjectionProfilePreset::axDirect,  InjectionProfilePreset::paste,     InjectionProfilePreset::selection,
    InjectionProfilePreset::webEditor};

// The priority of every rule made from a preset: above every built-in rule
// but the secure-field one.
inline constexpr std::int64_t kUserRulePriority = 420;

// The case name.
[[nodiscard]] std::string_view presetID(InjectionProfilePreset preset);
// Exactly a case name, letter case included; anything else gives no value.
[[nodiscard]] std::optional<InjectionProfilePreset> injectionProfilePresetFromRaw(std::string_view raw);
// The text shown in the rules sheet.
[[nodiscard]] std::string_view label(InjectionProfilePreset preset);
[[nodiscard]] const InjectionProfile& profile(InjectionProfilePreset preset);

}  // namespace zentrel::typing
