#pragma once
// Standard base64 (RFC 4648, with padding), for bytes kept in JSON text.

#include "platform/settings/DefaultsStore.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace zentrel::platform {

[[nodiscard]] std::string base64Encode(const Bytes& bytes);
// nullopt for text that is not valid base64.
[[nodiscard]] std::optional<Bytes> base64Decode(std::string_view text);

}  // namespace zentrel::platform
