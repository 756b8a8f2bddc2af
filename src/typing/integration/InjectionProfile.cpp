#include "typing/integration/InjectionProfile.hpp"

#include <nlohmann/json.hpp>

#include <limits>

namespace zentrel::typing {

namespace {

template <class Enum, std::size_t N>
std::optional<Enum> fromRaw(const std::array<Enum, N>& cases, std::string_view raw) {
    for (auto value : cases)
        if (rawValue(value) == raw) return value;
    return std::nullopt;
}

template <class Enum>
std::optional<Enum> decodeCase(const nlohmann::ordered_json& object, const char* key,
                               std::optional<Enum> (*parse)(std::string_view)) {
    auto found = object.find(key);
    if (found == object.end() || !found->is_string()) return std::nullopt;
    return parse(found->get_ref<const std::string&>());
}

std::optional<std::uint32_t> decodeMicros(const nlohmann::ordered_json& object, const char* key) {
    auto found = object.find(key);
    if (found == object.end()) return std::nullopt;
    if (found->is_number_unsigned()) {
        auto value = found->get<std::uint64_t>();
        if (value > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
        return static_cast<std::uint32_t>(value);
    }
    // A negative integer, a fraction or any other kind.
    return std::nullopt;
}

std::optional<bool> decodeBool(const nlohmann::ordered_json& object, const char* key) {
    auto found = object.find(key);
    if (found == object.end() || !found->is_boolean()) return std::nullopt;
    return found->get<bool>();
}

}  // namespace

std::string_view rawValue(InjectionTiming timing) { return timing == InjectionTiming::slow ? "slow" : "fast"; }

std::string_view rawValue(TextSendingMode mode) { return mode == TextSendingMode::chunked ? "chunked" : "oneByOne"; }

std::string_view rawValue(InjectionDeliveryMode mode) {
    switch (mode) {
    case InjectionDeliveryMode::cgEvent: return "cgEvent";
    case InjectionDeliveryMode::axDirect: return "axDirect";
    case InjectionDeliveryMode::paste: return "paste";
    case InjectionDeliveryMode::selection: return "selection";
    }
    return "cgEvent";
}

std::string_view rawValue(InputPolicy policy) { return policy == InputPolicy::disable ? "disable" : "enable"; }

std::optional<InjectionTiming> injectionTimingFromRaw(std::string_view raw) {
    return fromRaw(kAllInjectionTimings, raw);
}
std::optional<TextSendingMode> textSendingModeFromRaw(std::string_view raw) {
    return fromRaw(kAllTextSendingModes, raw);
}
std::optional<InjectionDeliveryMode> deliveryModeFromRaw(std::string_view raw) {
    return fromRaw(kAllDeliveryModes, raw);
}
std::optional<InputPolicy> inputPolicyFromRaw(std::string_view raw) { return fromRaw(kAllInputPolicies, raw); }

nlohmann::ordered_json encodeDelays(const InjectionDelays& delays) {
    return {{"backspaceMicros", delays.backspaceMicros},
            {"waitMicros", delays.waitMicros},
            {"characterMicros", delays.characterMicros}};
}

std::optional<InjectionDelays> decodeDelays(const nlohmann::ordered_json& object) {
    if (!object.is_object()) return std::nullopt;
    auto backspace = decodeMicros(object, "backspaceMicros");
    auto wait = decodeMicros(object, "waitMicros");
    auto character = decodeMicros(object, "characterMicros");
    if (!backspace || !wait || !character) return std::nullopt;
    return InjectionDelays{*backspace, *wait, *character};
}

nlohmann::ordered_json encodeProfile(const InjectionProfile& profile) {
    return {{"timing", rawValue(profile.timing)},
            {"textMode", rawValue(profile.textMode)},
            {"delays", encodeDelays(profile.delays)},
            {"emptyCharPrefix", profile.emptyCharPrefix},
            {"useSessionPost", profile.useSessionPost},
            {"deliveryMode", rawValue(profile.deliveryMode)},
            {"policy", rawValue(profile.policy)}};
}

std::optional<InjectionProfile> decodeProfile(const nlohmann::ordered_json& object) {
    if (!object.is_object()) return std::nullopt;
    auto timing = decodeCase(object, "timing", &injectionTimingFromRaw);
    auto textMode = decodeCase(object, "textMode", &textSendingModeFromRaw);
    auto delays = object.contains("delays") ? decodeDelays(object.at("delays")) : std::nullopt;
    auto emptyCharPrefix = decodeBool(object, "emptyCharPrefix");
    auto useSessionPost = decodeBool(object, "useSessionPost");
    auto deliveryMode = decodeCase(object, "deliveryMode", &deliveryModeFromRaw);
    auto policy = decodeCase(object, "policy", &inputPolicyFromRaw);
    if (!timing || !textMode || !delays || !emptyCharPrefix || !useSessionPost || !deliveryMode || !policy)
        return std::nullopt;
    return InjectionProfile{*timing, *textMode, *delays, *emptyCharPrefix, *useSessionPost, *deliveryMode, *policy};
}

}  // namespace zentrel::typing
