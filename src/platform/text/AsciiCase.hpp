#pragma once
// Letter case of ASCII text (file extensions, program and host names,
// command words); every other byte, UTF-8 included, stays as it is.

#include <algorithm>
#include <string>
#include <string_view>

namespace zentrel::platform {

[[nodiscard]] constexpr char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

[[nodiscard]] inline std::string asciiLowercased(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), asciiLower);
    return lower;
}

[[nodiscard]] inline bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return asciiLower(x) == asciiLower(y); });
}

}  // namespace zentrel::platform
