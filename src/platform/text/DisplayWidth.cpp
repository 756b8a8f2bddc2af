#include "platform/text/DisplayWidth.hpp"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cstdint>

namespace zentrel::platform {

namespace {

std::size_t columnsOf(UChar32 c) {
    if (c < 0) return 1;  // a byte that is not UTF-8 shows as one replacement character
    switch (u_charType(c)) {
    case U_NON_SPACING_MARK:
    case U_ENCLOSING_MARK:
    case U_FORMAT_CHAR:
    case U_CONTROL_CHAR: return 0;
    default: break;
    }
    switch (u_getIntPropertyValue(c, UCHAR_EAST_ASIAN_WIDTH)) {
    case U_EA_WIDE:
    case U_EA_FULLWIDTH: return 2;
    default: return 1;
    }
}

}  // namespace

std::size_t displayWidth(std::string_view utf8) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(utf8.data());
    const auto length = static_cast<std::int32_t>(utf8.size());
    std::size_t width = 0;
    for (std::int32_t at = 0; at < length;) {
        UChar32 c;
        U8_NEXT(bytes, at, length, c);
        width += columnsOf(c);
    }
    return width;
}

std::string paddedToWidth(std::string_view text, std::size_t width, std::size_t minimumGap) {
    const auto taken = displayWidth(text);
    std::string padded(text);
    padded.append(std::max(width > taken ? width - taken : 0, minimumGap), ' ');
    return padded;
}

}  // namespace zentrel::platform
