#pragma once
// Reads an update feed: an RSS document whose channel items describe the
// releases. Per item it takes the title, the version string and the display
// version (from the item's own "version" and "shortVersionString" elements,
// else from the enclosure's attributes of those names) and the enclosure's
// url. Elements and attributes are matched by their local name, whatever
// namespace prefix the feed uses.
//
// Hostile feeds are refused with an error, never a crash: documents over
// kMaxAppcastBytes, nesting deeper than kMaxAppcastDepth, more than
// kMaxAppcastItems items, overlong fields, document type declarations
// (and with them entity expansion), and anything that is not well-formed.

#include "services/updates/AppcastItem.hpp"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zentrel::services {

inline constexpr std::size_t kMaxAppcastBytes = 8 * 1024 * 1024;
inline constexpr std::size_t kMaxAppcastDepth = 32;
inline constexpr std::size_t kMaxAppcastItems = 1000;
inline constexpr std::size_t kMaxAppcastFieldBytes = 4096;

struct AppcastParseResult {
    std::vector<AppcastItem> items;  // in feed order; empty on error
    std::optional<std::string> error;
};

[[nodiscard]] AppcastParseResult parseAppcast(std::string_view document);

}  // namespace zentrel::services
