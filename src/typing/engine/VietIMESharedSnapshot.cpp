#include "typing/engine/VietIMESharedSnapshot.hpp"

#include <nlohmann/json.hpp>

namespace zentrel::typing {

std::string encodeSnapshot(const VietIMESharedSnapshot& snapshot) {
    // nlohmann::json keeps object keys sorted, so the nested options are
    // copied out of their field-ordered form.
    nlohmann::json options = nlohmann::json::object();
    const auto fieldOrdered = encodeOptions(snapshot.options);
    for (const auto& [key, value] : fieldOrdered.items()) options[key] = value;
    nlohmann::json object = {
        {"excludedApps", snapshot.excludedApps},
        {"inputMethod", std::string(rawValue(snapshot.inputMethod))},
        {"isEnabled", snapshot.isEnabled},
        {"options", std::move(options)},
        {"useMarkedText", snapshot.useMarkedText},
    };
    return object.dump();
}

std::optional<VietIMESharedSnapshot> decodeSnapshot(std::string_view text) {
    const auto object = nlohmann::json::parse(text, nullptr, /*allow_exceptions=*/false);
    if (!object.is_object()) return std::nullopt;

    auto field = [&](const char* key) -> const nlohmann::json* {
        auto found = object.find(key);
        return found == object.end() ? nullptr : &*found;
    };
    const auto* enabled = field("isEnabled");
    const auto* method = field("inputMethod");
    const auto* options = field("options");
    const auto* excluded = field("excludedApps");
    const auto* marked = field("useMarkedText");
    if (!enabled || !enabled->is_boolean() || !method || !method->is_string() || !options || !excluded ||
        !excluded->is_array() || !marked || !marked->is_boolean()) {
        return std::nullopt;
    }

    VietIMESharedSnapshot snapshot;
    snapshot.isEnabled = enabled->get<bool>();
    auto parsedMethod = inputMethodFromRaw(method->get<std::string>());
    auto parsedOptions = decodeOptions(*options);
    if (!parsedMethod || !parsedOptions) return std::nullopt;
    snapshot.inputMethod = *parsedMethod;
    snapshot.options = *parsedOptions;
    for (const auto& app : *excluded) {
        if (!app.is_string()) return std::nullopt;
        snapshot.excludedApps.push_back(app.get<std::string>());
    }
    snapshot.useMarkedText = marked->get<bool>();
    return snapshot;
}

}  // namespace zentrel::typing
