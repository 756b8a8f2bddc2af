#pragma once
// Text as the typing engine sees it: a word is a list of code points in NFC,
// where every Vietnamese letter is one precomposed code point, so a count of
// code points is a count of the characters the user sees. UTF-8 at the edges.

#include <string>
#include <string_view>

namespace zentrel::typing {

[[nodiscard]] std::u32string toUtf32(std::string_view utf8);
[[nodiscard]] std::string toUtf8(std::u32string_view text);
// The text in NFC; ASCII text is returned as it is.
[[nodiscard]] std::u32string composed(std::u32string_view text);

[[nodiscard]] char32_t lowerCased(char32_t c);
[[nodiscard]] char32_t upperCased(char32_t c);
[[nodiscard]] bool isUpperCase(char32_t c);
[[nodiscard]] bool isLetter(char32_t c);
// A letter or a number of any script.
[[nodiscard]] bool isLetterOrNumber(char32_t c);
[[nodiscard]] bool isAsciiLetter(char32_t c);
[[nodiscard]] bool isAsciiDigit(char32_t c);
[[nodiscard]] std::u32string lowerCased(std::u32string_view text);
// `letter` in the case of `original`.
[[nodiscard]] char32_t inCaseOf(char32_t letter, char32_t original);

}  // namespace zentrel::typing
