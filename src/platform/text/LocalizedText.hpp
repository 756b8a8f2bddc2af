#pragma once
// Comparisons of UTF-8 texts the way a user reads them: letter case does not
// count, and the order follows the language's alphabet rather than bytes.

#include <string_view>

namespace zentrel::platform {

// Negative, zero or positive, like strcmp, ignoring case.
[[nodiscard]] int localizedCaseInsensitiveCompare(std::string_view a, std::string_view b);
// Whether `text` contains `part` once both are case-folded; an empty part is
// contained in nothing.
[[nodiscard]] bool localizedCaseInsensitiveContains(std::string_view text, std::string_view part);

}  // namespace zentrel::platform
