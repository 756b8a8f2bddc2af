#include "platform/text/LosslessText.hpp"

#include "platform/text/Base64.hpp"

namespace zentrel::platform {

namespace {

std::string bytesKey(const std::string& key) { return key + "Bytes"; }

}  // namespace

std::size_t validUtf8SequenceLength(std::string_view bytes) {
    const auto lead = static_cast<unsigned char>(bytes[0]);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    char32_t minimum = 0;
    char32_t code = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, minimum = 0x80, code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, minimum = 0x800, code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, minimum = 0x10000, code = lead & 0x07;
    } else {
        return 0;
    }
    if (bytes.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(bytes[i]);
        if ((next & 0xC0) != 0x80) return 0;
        code = (code << 6) | (next & 0x3F);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code < minimum || code > 0x10FFFF || surrogate ? 0 : length;
}

bool isValidUtf8(std::string_view bytes) {
    while (!bytes.empty()) {
        const auto length = validUtf8SequenceLength(bytes);
        if (length == 0) return false;
        bytes.remove_prefix(length);
    }
    return true;
}

std::string escapedInvalidUtf8(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size());
    while (!bytes.empty()) {
        const auto length = validUtf8SequenceLength(bytes);
        if (length == 0) {
            const auto byte = static_cast<unsigned char>(bytes[0]);
            text += "\\x";
            text += kHex[byte >> 4];
            text += kHex[byte & 0x0F];
            bytes.remove_prefix(1);
        } else {
            text += bytes.substr(0, length);
            bytes.remove_prefix(length);
        }
    }
    return text;
}

void putLosslessText(nlohmann::json& object, const std::string& key, std::string_view text) {
    if (isValidUtf8(text)) {
        object[key] = std::string(text);
        object.erase(bytesKey(key));
        return;
    }
    object[key] = escapedInvalidUtf8(text);
    object[bytesKey(key)] = base64Encode(Bytes(text.begin(), text.end()));
}

std::optional<std::string> losslessText(const nlohmann::json& object, const std::string& key) {
    if (!object.is_object()) return std::nullopt;
    if (const auto raw = object.find(bytesKey(key)); raw != object.end() && raw->is_string()) {
        if (const auto bytes = base64Decode(raw->get<std::string>())) return std::string(bytes->begin(), bytes->end());
    }
    const auto found = object.find(key);
    if (found == object.end() || !found->is_string()) return std::nullopt;
    return found->get<std::string>();
}

}  // namespace zentrel::platform
