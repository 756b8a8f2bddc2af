#include "typing/engine/VietIMEOptions.hpp"

#include "platform/text/Localization.hpp"

#include <nlohmann/json.hpp>

namespace zentrel::typing {

const VietIMEOptions VietIMEOptions::defaultOptions{};

std::string_view rawValue(VietToneRule rule) { return rule == VietToneRule::modern ? "modern" : "classic"; }

std::optional<VietToneRule> vietToneRuleFromRaw(std::string_view raw) {
    if (raw == "classic") return VietToneRule::classic;
    if (raw == "modern") return VietToneRule::modern;
    return std::nullopt;
}

namespace {

// The eleven switches with their keys, in field order around "toneRule".
template <class Options>
auto switches(Options& o) {
    return std::array<std::pair<const char*, decltype(&o.repeatKeyEscape)>, 11>{{
        {"repeatKeyEscape", &o.repeatKeyEscape},
        {"standaloneW", &o.standaloneW},
        {"simplifiedTelex", &o.simplifiedTelex},
        {"clearToneKey", &o.clearToneKey},
        {"quickTelex", &o.quickTelex},
        {"consonantShortcuts", &o.consonantShortcuts},
        {"skipTransformForEnglish", &o.skipTransformForEnglish},
        {"restoreOnWordBreak", &o.restoreOnWordBreak},
        {"instantRestoreInvalidSpelling", &o.instantRestoreInvalidSpelling},
        {"respectProperNounCaps", &o.respectProperNounCaps},
        {"allowRawRestore", &o.allowRawRestore},
    }};
}

template <class Json>
std::optional<VietIMEOptions> decode(const Json& object) {
    if (!object.is_object()) return std::nullopt;
    VietIMEOptions options;
    for (auto& [key, field] : switches(options)) {
        auto found = object.find(key);
        if (found == object.end() || !found->is_boolean()) return std::nullopt;
        *field = found->template get<bool>();
    }
    auto tone = object.find("toneRule");
    if (tone == object.end() || !tone->is_string()) return std::nullopt;
    auto rule = vietToneRuleFromRaw(tone->template get<std::string>());
    if (!rule) return std::nullopt;
    options.toneRule = *rule;
    return options;
}

template <class Json>
VietIMEOptions decodeKeyByKey(const Json& object) {
    VietIMEOptions options;
    if (!object.is_object()) return options;
    for (auto& [key, field] : switches(options)) {
        auto found = object.find(key);
        if (found != object.end() && found->is_boolean()) *field = found->template get<bool>();
    }
    auto tone = object.find("toneRule");
    if (tone != object.end() && tone->is_string()) {
        options.toneRule = vietToneRuleFromRaw(tone->template get<std::string>()).value_or(options.toneRule);
    }
    return options;
}

}  // namespace

nlohmann::ordered_json encodeOptions(const VietIMEOptions& options) {
    nlohmann::ordered_json object = nlohmann::ordered_json::object();
    auto fields = switches(options);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i == 4) object["toneRule"] = std::string(rawValue(options.toneRule));
        object[fields[i].first] = *fields[i].second;
    }
    return object;
}

std::optional<VietIMEOptions> decodeOptions(const nlohmann::json& object) { return decode(object); }
std::optional<VietIMEOptions> decodeOptions(const nlohmann::ordered_json& object) { return decode(object); }
VietIMEOptions decodeStoredOptions(const nlohmann::json& object) { return decodeKeyByKey(object); }

std::string_view rawValue(VietIMEIntegrationMode mode) {
    switch (mode) {
    case VietIMEIntegrationMode::cgEvent: return "cgEvent";
    case VietIMEIntegrationMode::imkit: return "imkit";
    case VietIMEIntegrationMode::hybrid: return "hybrid";
    }
    return "cgEvent";
}

std::optional<VietIMEIntegrationMode> integrationModeFromRaw(std::string_view raw) {
    for (auto mode : kAllIntegrationModes)
        if (rawValue(mode) == raw) return mode;
    return std::nullopt;
}

std::string_view label(VietIMEIntegrationMode mode) {
    switch (mode) {
    case VietIMEIntegrationMode::cgEvent: return N_("CGEvent (mặc định)");
    case VietIMEIntegrationMode::imkit: return N_("Input Method Kit");
    case VietIMEIntegrationMode::hybrid: return N_("Tự động (IMKit + CGEvent)");
    }
    return "";
}

std::string_view detail(VietIMEIntegrationMode mode) {
    switch (mode) {
    case VietIMEIntegrationMode::cgEvent: return N_("Gõ qua Accessibility — không cần cài IME, phù hợp mọi app.");
    case VietIMEIntegrationMode::imkit: return N_("Marked text native — ít nhấp nháy, cần cài và chọn Zentrel IME.");
    case VietIMEIntegrationMode::hybrid: return N_("Dùng IMKit khi đã chọn; fallback CGEvent khi chưa bật IME.");
    }
    return "";
}

}  // namespace zentrel::typing
