#pragma once
// How many terminal columns a UTF-8 text takes, as a terminal draws it:
// combining marks and format characters take none, wide and full-width
// characters (CJK, most emoji) two, the others one. Columns of text in other
// languages line up only when padded by this width, not by bytes.

#include <cstddef>
#include <string>
#include <string_view>

namespace zentrel::platform {

[[nodiscard]] std::size_t displayWidth(std::string_view utf8);

// `text` followed by spaces up to `width` columns, and by at least `minimumGap` spaces.
[[nodiscard]] std::string paddedToWidth(std::string_view text, std::size_t width, std::size_t minimumGap = 0);

}  // namespace zentrel::platform
