#pragma once
// Enumerations whose cases are stored as texts: one table of (case, text)
// pairs gives both directions, and a JSON string form that refuses unknown
// texts.

#include "model/DecodingError.hpp"

#include <nlohmann/json.hpp>

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace zentrel::model {

template <class Enum, std::size_t N>
using RawValueTable = std::array<std::pair<Enum, std::string_view>, N>;

template <class Enum, std::size_t N>
[[nodiscard]] constexpr std::string_view rawValueIn(const RawValueTable<Enum, N>& table, Enum value) {
    for (const auto& [candidate, text] : table)
        if (candidate == value) return text;
    return {};
}

// The case whose text equals `raw` exactly, or none.
template <class Enum, std::size_t N>
[[nodiscard]] constexpr std::optional<Enum> caseIn(const RawValueTable<Enum, N>& table, std::string_view raw) {
    for (const auto& [candidate, text] : table)
        if (text == raw) return candidate;
    return std::nullopt;
}

template <class Enum, std::size_t N>
[[nodiscard]] Enum decodeRawValue(const RawValueTable<Enum, N>& table, const nlohmann::json& json,
                                  std::string_view typeName) {
    if (!json.is_string()) throw DecodingError(std::string(typeName) + ": expected a string");
    const auto text = json.get<std::string>();
    if (auto found = caseIn(table, text)) return *found;
    throw DecodingError(std::string(typeName) + ": no case named \"" + text + "\"");
}

}  // namespace zentrel::model
