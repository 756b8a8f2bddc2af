#include "platform/ByteCountFormatter.hpp"

#include "platform/Localization.hpp"

#include <array>
#include <cmath>
#include <cstdio>

namespace zentrel::platform {

namespace {

constexpr std::array<const char*, 7> kUnits = {"KB", "MB", "GB", "TB", "PB", "EB", "ZB"};

int decimalsFor(std::size_t unitIndex) { return unitIndex == 0 ? 0 : unitIndex == 1 ? 1 : 2; }

// "1234567" -> "1,234,567"
std::string groupThousands(const std::string& digits) {
    std::string out;
    int count = 0;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (count > 0 && count % 3 == 0) out.insert(out.begin(), ',');
        out.insert(out.begin(), *it);
        ++count;
    }
    return out;
}

std::string formatNumber(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string text(buffer);
    auto dot = text.find('.');
    std::string whole = text.substr(0, dot);
    std::string fraction = dot == std::string::npos ? "" : text.substr(dot + 1);
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    std::string result = groupThousands(whole);
    if (!fraction.empty()) result += "." + fraction;
    return result;
}

}  // namespace

std::string formatByteCount(std::int64_t bytes, ByteCountStyle style) {
    if (bytes == 0) return localized("Zero KB");
    const double base = style == ByteCountStyle::file ? 1000.0 : 1024.0;
    const bool negative = bytes < 0;
    const double magnitude = std::fabs(static_cast<double>(bytes));
    const std::string sign = negative ? "-" : "";
    if (magnitude < base) {
        auto count = static_cast<long long>(magnitude);
        return sign + localizedFormat("%lld bytes", {groupThousands(std::to_string(count))});
    }
    std::size_t unit = 0;
    double value = magnitude / base;
    while (unit + 1 < kUnits.size()) {
        double scale = std::pow(10.0, decimalsFor(unit));
        double rounded = std::round(value * scale) / scale;
        if (rounded < base) break;
        value /= base;
        ++unit;
    }
    return sign + formatNumber(value, decimalsFor(unit)) + " " + kUnits[unit];
}

}  // namespace zentrel::platform
