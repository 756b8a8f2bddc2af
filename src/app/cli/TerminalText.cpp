#include "app/cli/TerminalText.hpp"

#include "platform/text/LosslessText.hpp"

#include <cstdio>
#include <string>

#include <unistd.h>

namespace zentrel::cli {

namespace {

// The length of the printable character at the start of `text` (not
// empty), or 0 for a control character or a byte that starts no UTF-8
// character.
std::size_t printableLength(std::string_view text) {
    const auto byte = static_cast<unsigned char>(text[0]);
    if (byte < 0x20 || byte == 0x7f) return 0;
    const auto length = platform::validUtf8SequenceLength(text);
    // U+0080 to U+009F, the second set of control characters.
    if (length == 2 && byte == 0xc2 && static_cast<unsigned char>(text[1]) <= 0x9f) return 0;
    return length;
}

bool holdsUnprintable(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto length = printableLength(text.substr(i));
        if (length == 0) return true;
        i += length;
    }
    return false;
}

// What a shell would read as more than a plain word.
bool holdsShellSpecial(std::string_view text) {
    if (text.empty() || text.front() == '~' || text.front() == '#') return true;
    return text.find_first_of(" \t\n!\"$&'()*;<=>?[\\]^`{|}") != std::string_view::npos;
}

void appendEscape(std::string& out, unsigned char byte, const char* format) {
    char code[8];
    std::snprintf(code, sizeof code, format, byte);
    out += code;
}

// The escape of a byte inside $'...'.
void appendShellEscape(std::string& out, unsigned char byte) {
    switch (byte) {
    case '\a': out += "\\a"; return;
    case '\b': out += "\\b"; return;
    case '\f': out += "\\f"; return;
    case '\n': out += "\\n"; return;
    case '\r': out += "\\r"; return;
    case '\t': out += "\\t"; return;
    case '\v': out += "\\v"; return;
    default: appendEscape(out, byte, "\\%03o");
    }
}

}  // namespace

bool isTerminal(Stream stream) {
    static const bool output = ::isatty(STDOUT_FILENO) == 1;
    static const bool error = ::isatty(STDERR_FILENO) == 1;
    return stream == Stream::output ? output : error;
}

std::string escapedText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const auto length = printableLength(text.substr(i));
        if (byte == '\\') {
            out += "\\\\";
        } else if (length > 0) {
            out += text.substr(i, length);
            i += length;
            continue;
        } else if (byte == '\n') {
            out += "\\n";
        } else if (byte == '\t') {
            out += "\\t";
        } else if (byte == '\r') {
            out += "\\r";
        } else {
            appendEscape(out, byte, "\\x%02x");
        }
        ++i;
    }
    return out;
}

std::string shellQuoted(std::string_view text) {
    if (text.empty()) return "''";
    if (!holdsUnprintable(text) && !holdsShellSpecial(text)) return std::string(text);
    std::string out;
    bool quoted = false;    // within '...'
    bool escapes = false;   // within $'...'
    const auto close = [&] {
        if (quoted || escapes) out += '\'';
        quoted = escapes = false;
    };
    for (std::size_t i = 0; i < text.size();) {
        const auto length = printableLength(text.substr(i));
        if (length == 0) {
            if (!escapes) {
                close();
                out += "$'";
                escapes = true;
            }
            appendShellEscape(out, static_cast<unsigned char>(text[i]));
            ++i;
            continue;
        }
        if (!quoted) {
            close();
            out += '\'';
            quoted = true;
        }
        if (text[i] == '\'') {
            out += "'\\''";
        } else {
            out += text.substr(i, length);
        }
        i += length;
    }
    close();
    return out;
}

std::string terminalText(std::string_view text, Stream stream) {
    if (!isTerminal(stream)) return escapedText(text);
    return holdsUnprintable(text) ? shellQuoted(text) : std::string(text);
}

std::string terminalJson(std::string_view json) {
    std::string out;
    out.reserve(json.size());
    for (std::size_t i = 0; i < json.size(); ++i) {
        const auto byte = static_cast<unsigned char>(json[i]);
        const auto next = i + 1 < json.size() ? static_cast<unsigned char>(json[i + 1]) : 0;
        if (byte == 0x7f) {
            out += "\\u007f";
        } else if (byte == 0xc2 && next >= 0x80 && next <= 0x9f) {
            appendEscape(out, next, "\\u%04x");
            ++i;
        } else {
            out += json[i];
        }
    }
    return out;
}

}  // namespace zentrel::cli
