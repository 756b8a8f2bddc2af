#pragma once
// Names and paths on this system are bytes, not always UTF-8, while JSON text
// and the screen need UTF-8. A text that is not valid UTF-8 is shown with its
// stray bytes escaped ("\xE9"), and stored in JSON as that escaped form
// beside its exact bytes in base64 under the key followed by "Bytes", so that
// readers which know only the plain key still get readable text.

#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <string_view>

namespace zentrel::platform {

// The length of the valid UTF-8 sequence at the start of `bytes` (not empty), or 0.
[[nodiscard]] std::size_t validUtf8SequenceLength(std::string_view bytes);
[[nodiscard]] bool isValidUtf8(std::string_view bytes);
// The text as it is when valid; otherwise each byte of an invalid sequence as "\xNN".
[[nodiscard]] std::string escapedInvalidUtf8(std::string_view bytes);

void putLosslessText(nlohmann::json& object, const std::string& key, std::string_view text);
// The exact bytes stored by putLosslessText; none when the key holds no text.
[[nodiscard]] std::optional<std::string> losslessText(const nlohmann::json& object, const std::string& key);

}  // namespace zentrel::platform
