#pragma once
// The switches that tune how the Vietnamese engine types, the tone-placement
// rule and the path by which typed text reaches other applications. Copied by
// value wherever they go (engine, event bridge, shared snapshot, settings).

#include <nlohmann/json_fwd.hpp>

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace zentrel::typing {

enum class VietToneRule { classic, modern };

inline constexpr std::array<VietToneRule, 2> kAllVietToneRules = {VietToneRule::classic, VietToneRule::modern};
[[nodiscard]] std::string_view rawValue(VietToneRule rule);
// Exactly "classic" or "modern"; anything else gives no value.
[[nodiscard]] std::optional<VietToneRule> vietToneRuleFromRaw(std::string_view raw);

struct VietIMEOptions {
    bool repeatKeyEscape = true;
    bool standaloneW = true;
    bool simplifiedTelex = false;
    bool clearToneKey = true;
    VietToneRule toneRule = VietToneRule::classic;
    bool quickTelex = false;
    bool consonantShortcuts = false;
    bool skipTransformForEnglish = true;
    bool restoreOnWordBreak = true;
    bool instantRestoreInvalidSpelling = true;
    bool respectProperNounCaps = true;
    bool allowRawRestore = true;

    static const VietIMEOptions defaultOptions;

    bool operator==(const VietIMEOptions&) const = default;
};

// All twelve keys, in field order.
[[nodiscard]] nlohmann::ordered_json encodeOptions(const VietIMEOptions& options);
// Strict: every key present with a value of its type, or no value at all.
// Unknown keys are ignored.
[[nodiscard]] std::optional<VietIMEOptions> decodeOptions(const nlohmann::json& object);
[[nodiscard]] std::optional<VietIMEOptions> decodeOptions(const nlohmann::ordered_json& object);
// The user's stored switches: a key that is missing or of the wrong type
// takes its default and every other key keeps the user's value, so one bad
// key never costs the others.
[[nodiscard]] VietIMEOptions decodeStoredOptions(const nlohmann::json& object);

enum class VietIMEIntegrationMode { cgEvent, imkit, hybrid };

inline constexpr std::array<VietIMEIntegrationMode, 3> kAllIntegrationModes = {
    VietIMEIntegrationMode::cgEvent, VietIMEIntegrationMode::imkit, VietIMEIntegrationMode::hybrid};
[[nodiscard]] std::string_view rawValue(VietIMEIntegrationMode mode);
[[nodiscard]] std::optional<VietIMEIntegrationMode> integrationModeFromRaw(std::string_view raw);
[[nodiscard]] std::string_view label(VietIMEIntegrationMode mode);
[[nodiscard]] std::string_view detail(VietIMEIntegrationMode mode);

}  // namespace zentrel::typing
