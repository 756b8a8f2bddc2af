#pragma once
// Strict reading of stored JSON objects: every required key present with a
// value of its type, or a DecodingError naming the key.

#include "model/DecodingError.hpp"
#include "platform/text/Date.hpp"
#include "platform/text/Uuid.hpp"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <optional>
#include <string>

namespace zentrel::model::json_fields {

[[nodiscard]] const nlohmann::json& required(const nlohmann::json& object, const char* key);
[[nodiscard]] std::string text(const nlohmann::json& object, const char* key);
// Absent when the key is missing or null; an error when it holds anything but text.
[[nodiscard]] std::optional<std::string> optionalText(const nlohmann::json& object, const char* key);
[[nodiscard]] bool boolean(const nlohmann::json& object, const char* key);
[[nodiscard]] std::int64_t integer(const nlohmann::json& object, const char* key);
[[nodiscard]] double number(const nlohmann::json& object, const char* key);
[[nodiscard]] platform::Uuid uuid(const nlohmann::json& object, const char* key);
// Seconds since 2001-01-01.
[[nodiscard]] platform::Date referenceDate(const nlohmann::json& object, const char* key);
// An object, or an error.
void expectObject(const nlohmann::json& json, const char* what);

}  // namespace zentrel::model::json_fields
