#pragma once
// Orders names the way a person reads version numbers: runs of digits compare
// by their value, so "17.10" comes after "17.9" and "iPhone15,2 17.0" after
// "iPhone15,2 9.3". Names equal in that order fall back to plain text order.

#include <string_view>

namespace zentrel::engine {

// True when `a` comes before `b`.
[[nodiscard]] bool versionOrderLess(std::string_view a, std::string_view b);

}  // namespace zentrel::engine
