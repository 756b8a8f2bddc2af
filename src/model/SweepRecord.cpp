#include "model/SweepRecord.hpp"

#include "model/JsonFields.hpp"
#include "platform/text/LosslessText.hpp"

namespace zentrel::model {

namespace fields = json_fields;

namespace {

// Labels and paths hold names as the system gave them, which need not be UTF-8.
std::optional<std::string> storedText(const nlohmann::json& json, const char* key) {
    if (auto exact = platform::losslessText(json, key)) return exact;
    return fields::optionalText(json, key);
}

}  // namespace

nlohmann::json encodeSweepAction(const SweepAction& action) {
    nlohmann::json object = {
        {"id", action.id.string()},
        {"kind", std::string(rawValue(action.kind))},
        {"isRestored", action.isRestored},
    };
    platform::putLosslessText(object, "label", action.label);
    if (action.detail) platform::putLosslessText(object, "detail", *action.detail);
    if (action.backupPath) platform::putLosslessText(object, "backupPath", *action.backupPath);
    if (action.originalPath) platform::putLosslessText(object, "originalPath", *action.originalPath);
    return object;
}

nlohmann::json encodeSweepRecord(const SweepRecord& record) {
    nlohmann::json actions = nlohmann::json::array();
    for (const auto& action : record.actions) actions.push_back(encodeSweepAction(action));
    return {
        {"id", record.id.string()},
        {"date", record.date.timeIntervalSinceReferenceDate()},
        {"expiresAt", record.expiresAt.timeIntervalSinceReferenceDate()},
        {"actions", std::move(actions)},
        {"freedBytes", record.freedBytes},
    };
}

SweepAction decodeSweepAction(const nlohmann::json& json) {
    fields::expectObject(json, "SweepAction");
    SweepAction action;
    action.id = fields::uuid(json, "id");
    const auto kindText = fields::text(json, "kind");
    auto kind = sweepActionKindFromRaw(kindText);
    if (!kind) throw DecodingError("SweepActionKind: no case named \"" + kindText + "\"");
    action.kind = *kind;
    action.label = fields::text(json, "label");
    if (auto exact = platform::losslessText(json, "label")) action.label = *exact;
    action.detail = storedText(json, "detail");
    action.backupPath = storedText(json, "backupPath");
    action.originalPath = storedText(json, "originalPath");
    action.isRestored = fields::boolean(json, "isRestored");
    return action;
}

SweepRecord decodeSweepRecord(const nlohmann::json& json) {
    fields::expectObject(json, "SweepRecord");
    SweepRecord record;
    record.id = fields::uuid(json, "id");
    record.date = fields::referenceDate(json, "date");
    record.expiresAt = fields::referenceDate(json, "expiresAt");
    const auto& actions = fields::required(json, "actions");
    if (!actions.is_array()) throw DecodingError("\"actions\": expected an array");
    for (const auto& action : actions) record.actions.push_back(decodeSweepAction(action));
    record.freedBytes = fields::integer(json, "freedBytes");
    return record;
}

}  // namespace zentrel::model
