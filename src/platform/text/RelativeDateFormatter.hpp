#pragma once
// "2 hr. ago", "3 days ago", "in 5 min.": a moment told relative to now in
// the largest unit that fits, with abbreviated unit names of the language;
// "now" within a minute.

#include "platform/text/Date.hpp"

#include <string>
#include <string_view>

namespace zentrel::platform {

// `language` such as "en" or "vi"; a language without data falls back to English.
[[nodiscard]] std::string formatRelativeAbbreviated(Date date, Date now, std::string_view language);
// The same with the units written out: "in 23 hours".
[[nodiscard]] std::string formatRelativeFull(Date date, Date now, std::string_view language);
// Within a minute of now, where both say "now": a sentence about a moment
// just past says so in its own words ("Last scan just now"), as "now" alone
// reads wrong in a sentence in either language.
[[nodiscard]] bool isJustNow(Date date, Date now);

}  // namespace zentrel::platform
