#pragma once
// Parsing of stored JSON that nests no deeper than anything this app writes:
// deeper text is damage, and would exhaust the stack of whatever walks it.

#include <nlohmann/json.hpp>

#include <string_view>

namespace zentrel::platform {

inline constexpr int kDeepestStoredNesting = 256;

// The parsed value, or a discarded one when the text is no JSON or nests too deep.
[[nodiscard]] nlohmann::json parseBoundedJson(std::string_view text);

}  // namespace zentrel::platform
