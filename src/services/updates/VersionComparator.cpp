#include "services/updates/VersionComparator.hpp"

#include <vector>

namespace zentrel::services {

namespace {

struct Part {
    bool isNumber;
    std::string_view text;  // digits without leading zeros for numbers
};

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isSeparator(char c) {
    return c == '.' || c == '-' || c == '_' || c == '+' || c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

std::vector<Part> split(std::string_view version) {
    std::vector<Part> parts;
    std::size_t i = 0;
    while (i < version.size()) {
        if (isSeparator(version[i])) {
            ++i;
            continue;
        }
        const bool number = isDigit(version[i]);
        std::size_t end = i;
        while (end < version.size() && !isSeparator(version[end]) && isDigit(version[end]) == number) ++end;
        std::string_view text = version.substr(i, end - i);
        if (number) {
            auto firstNonZero = text.find_first_not_of('0');
            text = firstNonZero == std::string_view::npos ? std::string_view{} : text.substr(firstNonZero);
        }
        parts.push_back({number, text});
        i = end;
    }
    return parts;
}

// Numbers of any length, as digit texts without leading zeros.
std::strong_ordering compareNumbers(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return a.size() <=> b.size();
    return a.compare(b) <=> 0;
}

std::strong_ordering compareParts(const Part& a, const Part& b) {
    if (a.isNumber != b.isNumber) return a.isNumber ? std::strong_ordering::greater : std::strong_ordering::less;
    if (a.isNumber) return compareNumbers(a.text, b.text);
    return a.text.compare(b.text) <=> 0;
}

// The order of a version with `rest` left over against one that ran out.
std::strong_ordering compareRemainder(const std::vector<Part>& parts, std::size_t from) {
    for (std::size_t i = from; i < parts.size(); ++i) {
        if (!parts[i].isNumber) return std::strong_ordering::less;
        if (!parts[i].text.empty()) return std::strong_ordering::greater;
    }
    return std::strong_ordering::equal;
}

}  // namespace

std::strong_ordering VersionComparator::compare(std::string_view a, std::string_view b) const {
    const auto partsA = split(a);
    const auto partsB = split(b);
    const std::size_t common = std::min(partsA.size(), partsB.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (auto order = compareParts(partsA[i], partsB[i]); order != 0) return order;
    }
    if (partsA.size() > common) return compareRemainder(partsA, common);
    if (partsB.size() > common) return 0 <=> compareRemainder(partsB, common);
    return std::strong_ordering::equal;
}

}  // namespace zentrel::services
