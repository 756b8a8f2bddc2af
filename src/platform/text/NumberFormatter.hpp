#pragma once
// Numbers shown to the user, written the way the window's language writes
// them: "1,234.5" and "42%" in English, "1.234,5" and "42%" in Vietnamese.
// Every figure on screen goes through here (sizes too, by way of
// ByteCountFormatter), never through printf, whose separators follow the
// process's C locale rather than the window's language.

#include <string>

namespace zentrel::platform {

// `value` with at most `maxFractionDigits` decimals (trailing zeros dropped
// down to `minFractionDigits`), halves rounded away from zero, thousands grouped.
[[nodiscard]] std::string formatNumber(double value, int maxFractionDigits = 0, int minFractionDigits = 0);
// A whole count with thousands grouped: "1,234".
[[nodiscard]] std::string formatCount(long long value);
// A whole percentage: formatPercent(42) is "42%".
[[nodiscard]] std::string formatPercent(long long percent);

}  // namespace zentrel::platform
