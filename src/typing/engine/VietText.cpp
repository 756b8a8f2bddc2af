#include "typing/engine/VietText.hpp"

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <algorithm>

namespace zentrel::typing {

std::u32string toUtf32(std::string_view utf8) {
    std::u32string text;
    text.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        if (length == 0 || i + length > utf8.size()) {
            text.push_back(U'\uFFFD');  // a broken sequence stands as one replacement character
            ++i;
            continue;
        }
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        bool valid = true;
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80) valid = false;
            c = (c << 6) | (next & 0x3F);
        }
        if (!valid) {
            text.push_back(U'\uFFFD');
            ++i;
            continue;
        }
        text.push_back(c);
        i += length;
    }
    return text;
}

std::string toUtf8(std::u32string_view text) {
    std::string utf8;
    utf8.reserve(text.size() * 2);
    for (char32_t c : text) {
        if (c < 0x80) {
            utf8.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            utf8.push_back(static_cast<char>(0xC0 | (c >> 6)));
            utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            utf8.push_back(static_cast<char>(0xE0 | (c >> 12)));
            utf8.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            utf8.push_back(static_cast<char>(0xF0 | (c >> 18)));
            utf8.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            utf8.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return utf8;
}

std::u32string composed(std::u32string_view text) {
    if (std::all_of(text.begin(), text.end(), [](char32_t c) { return c < 0x80; })) return std::u32string(text);
    UErrorCode status = U_ZERO_ERROR;
    const auto* nfc = icu::Normalizer2::getNFCInstance(status);
    if (U_FAILURE(status)) return std::u32string(text);
    auto source = icu::UnicodeString::fromUTF32(reinterpret_cast<const UChar32*>(text.data()),
                                                static_cast<int32_t>(text.size()));
    const auto result = nfc->normalize(source, status);
    if (U_FAILURE(status)) return std::u32string(text);
    std::u32string out(static_cast<std::size_t>(result.countChar32()), U'\0');
    result.toUTF32(reinterpret_cast<UChar32*>(out.data()), static_cast<int32_t>(out.size()), status);
    return U_FAILURE(status) ? std::u32string(text) : out;
}

char32_t lowerCased(char32_t c) {
    if (c < 0x80) return (c >= U'A' && c <= U'Z') ? c + 32 : c;
    return static_cast<char32_t>(u_tolower(static_cast<UChar32>(c)));
}

char32_t upperCased(char32_t c) {
    if (c < 0x80) return (c >= U'a' && c <= U'z') ? c - 32 : c;
    return static_cast<char32_t>(u_toupper(static_cast<UChar32>(c)));
}

bool isUpperCase(char32_t c) {
    if (c < 0x80) return c >= U'A' && c <= U'Z';
    return u_isupper(static_cast<UChar32>(c));
}

bool isLetter(char32_t c) {
    if (c < 0x80) return isAsciiLetter(c);
    return u_isalpha(static_cast<UChar32>(c));
}

bool isLetterOrNumber(char32_t c) {
    if (c < 0x80) return isAsciiLetter(c) || isAsciiDigit(c);
    const auto type = u_charType(static_cast<UChar32>(c));
    return u_isalpha(static_cast<UChar32>(c)) || type == U_DECIMAL_DIGIT_NUMBER || type == U_LETTER_NUMBER ||
           type == U_OTHER_NUMBER;
}

bool isAsciiLetter(char32_t c) { return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z'); }

bool isAsciiDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

char32_t inCaseOf(char32_t letter, char32_t original) { return isUpperCase(original) ? upperCased(letter) : letter; }

std::u32string lowerCased(std::u32string_view text) {
    std::u32string lower(text);
    for (auto& c : lower) c = lowerCased(c);
    return lower;
}

}  // namespace zentrel::typing
