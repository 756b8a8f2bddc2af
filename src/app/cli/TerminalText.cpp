#include "app/cli/TerminalText.hpp"

#include <cstdio>

namespace zentrel::cli {

namespace {

void appendHexEscape(std::string& out, unsigned char byte) {
    char code[5];
    std::snprintf(code, sizeof code, "\\x%02x", byte);
    out += code;
}

}  // namespace

std::string terminalText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        switch (byte) {
        case '\\': out += "\\\\"; continue;
        case '\n': out += "\\n"; continue;
        case '\t': out += "\\t"; continue;
        case '\r': out += "\\r"; continue;
        default: break;
        }
        if (byte < 0x20 || byte == 0x7f) {
            appendHexEscape(out, byte);
        } else if (byte == 0xc2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(text[i + 1]) <= 0x9f) {
            // U+0080 to U+009F, the second set of control characters.
            appendHexEscape(out, byte);
            appendHexEscape(out, static_cast<unsigned char>(text[++i]));
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace zentrel::cli
