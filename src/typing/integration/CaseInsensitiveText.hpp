#pragma once
// Comparisons of UTF-8 texts that ignore letter case, as the title and
// accessibility patterns of injection rules need them. Full Unicode case
// rules (ICU), so "ĐIỆN" and "điện" compare equal.

#include <string_view>

namespace zentrel::typing {

// Whether `text` contains `part` once both are case-folded.
[[nodiscard]] bool containsIgnoringCase(std::string_view text, std::string_view part);
// Whether lower-cased `text` begins (ends) with lower-cased `affix`.
[[nodiscard]] bool hasPrefixIgnoringCase(std::string_view text, std::string_view affix);
[[nodiscard]] bool hasSuffixIgnoringCase(std::string_view text, std::string_view affix);
// Whether both texts are equal once case-folded.
[[nodiscard]] bool equalsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace zentrel::typing
