#pragma once
// Byte counts as the user reads them. File style counts in powers of 1000,
// memory style in powers of 1024; both show whole bytes and KB, one decimal
// for MB and two above ("0 KB", "1 byte", "999 bytes", "1 KB", "1.5 MB",
// "1.23 GB"), trailing zeros dropped, written in the window's language
// ("17,6 MB" and "1.234,5 GB" in Vietnamese).

#include <cstdint>
#include <string>

namespace zentrel::platform {

enum class ByteCountStyle { file, memory };

[[nodiscard]] std::string formatByteCount(std::int64_t bytes, ByteCountStyle style = ByteCountStyle::file);

}  // namespace zentrel::platform
