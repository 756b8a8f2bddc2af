// Update feeds of any shape: parsed into items or refused with an error.

#include "services/updates/AppcastParser.hpp"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto result = zentrel::services::parseAppcast(std::string_view(reinterpret_cast<const char*>(data), size));
    if (result.error && !result.items.empty()) std::abort();
    return 0;
}
