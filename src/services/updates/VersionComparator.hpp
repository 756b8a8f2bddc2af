#pragma once
// Orders version texts the way release numbering reads: "1.10" is above
// "1.9", "1.0" equals "1.0.0", and a letter part marks a pre-release, so
// "1.0b2" is below "1.0" and above "1.0b1".
//
// A version splits into runs of digits (numbers) and runs of other
// characters (words); ".", "-", "_", "+" and white space only separate them.
// Parts compare pairwise: numbers by value (however many digits), words by
// their text, a number above a word. When one version runs out of parts, the
// other's remaining numbers that are 0 are skipped; then a remaining word
// makes the longer version lower, a remaining number makes it higher.

#include <compare>
#include <string_view>

namespace zentrel::services {

class VersionComparator {
public:
    [[nodiscard]] std::strong_ordering compare(std::string_view a, std::string_view b) const;
};

}  // namespace zentrel::services
