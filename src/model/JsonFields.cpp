#include "model/JsonFields.hpp"

namespace zentrel::model::json_fields {

namespace {

[[noreturn]] void fail(const char* key, const char* expected) {
    throw DecodingError(std::string("\"") + key + "\": expected " + expected);
}

}  // namespace

void expectObject(const nlohmann::json& json, const char* what) {
    if (!json.is_object()) throw DecodingError(std::string(what) + ": expected an object");
}

const nlohmann::json& required(const nlohmann::json& object, const char* key) {
    auto found = object.find(key);
    if (found == object.end()) throw DecodingError(std::string("missing key \"") + key + "\"");
    return *found;
}

std::string text(const nlohmann::json& object, const char* key) {
    const auto& value = required(object, key);
    if (!value.is_string()) fail(key, "a string");
    return value.get<std::string>();
}

std::optional<std::string> optionalText(const nlohmann::json& object, const char* key) {
    auto found = object.find(key);
    if (found == object.end() || found->is_null()) return std::nullopt;
    if (!found->is_string()) fail(key, "a string");
    return found->get<std::string>();
}

bool boolean(const nlohmann::json& object, const char* key) {
    const auto& value = required(object, key);
    if (!value.is_boolean()) fail(key, "a boolean");
    return value.get<bool>();
}

std::int64_t integer(const nlohmann::json& object, const char* key) {
    const auto& value = required(object, key);
    if (!value.is_number_integer()) fail(key, "an integer");
    if (value.is_number_unsigned() && value.get<std::uint64_t>() > static_cast<std::uint64_t>(INT64_MAX)) {
        fail(key, "a 64-bit integer");
    }
    return value.get<std::int64_t>();
}

double number(const nlohmann::json& object, const char* key) {
    const auto& value = required(object, key);
    if (!value.is_number()) fail(key, "a number");
    return value.get<double>();
}

platform::Uuid uuid(const nlohmann::json& object, const char* key) {
    auto parsed = platform::Uuid::parse(text(object, key));
    if (!parsed) fail(key, "a UUID");
    return *parsed;
}

platform::Date referenceDate(const nlohmann::json& object, const char* key) {
    return platform::Date::fromTimeIntervalSinceReferenceDate(number(object, key));
}

}  // namespace zentrel::model::json_fields
