#include "services/Utf8.hpp"

namespace zentrel::services {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// The length of the valid UTF-8 sequence at the start of `bytes`, or 0.
std::size_t validSequenceLength(std::string_view bytes) {
    const auto lead = static_cast<unsigned char>(bytes[0]);
    std::size_t length = 0;
    char32_t minimum = 0;
    char32_t code = 0;
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) { length = 2; minimum = 0x80; code = lead & 0x1F; }
    else if ((lead & 0xF0) == 0xE0) { length = 3; minimum = 0x800; code = lead & 0x0F; }
    else if ((lead & 0xF8) == 0xF0) { length = 4; minimum = 0x10000; code = lead & 0x07; }
    else return 0;
    if (bytes.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(bytes[i]);
        if ((next & 0xC0) != 0x80) return 0;
        code = (code << 6) | (next & 0x3F);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code < minimum || code > 0x10FFFF || surrogate ? 0 : length;
}

}  // namespace

std::string replacingInvalidUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    while (!bytes.empty()) {
        const std::size_t length = validSequenceLength(bytes);
        if (length == 0) {
            text += kReplacement;
            bytes.remove_prefix(1);
        } else {
            text += bytes.substr(0, length);
            bytes.remove_prefix(length);
        }
    }
    return text;
}

}  // namespace zentrel::services
