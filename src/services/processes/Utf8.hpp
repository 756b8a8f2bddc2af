#pragma once
// Text from the kernel is bytes; what the user reads must be valid UTF-8.

#include <string>
#include <string_view>

namespace zentrel::services {

// `bytes` decoded as UTF-8, each invalid sequence replaced by U+FFFD.
[[nodiscard]] std::string replacingInvalidUtf8(std::string_view bytes);

}  // namespace zentrel::services
