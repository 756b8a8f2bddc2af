#include "platform/text/ByteCountFormatter.hpp"

#include "platform/text/Localization.hpp"
#include "platform/text/NumberFormatter.hpp"

#include <array>
#include <cmath>

namespace zentrel::platform {

namespace {

constexpr std::array<const char*, 7> kUnits = {"KB", "MB", "GB", "TB", "PB", "EB", "ZB"};

int decimalsFor(std::size_t unitIndex) { return unitIndex == 0 ? 0 : unitIndex == 1 ? 1 : 2; }

}  // namespace

std::string formatByteCount(std::int64_t bytes, ByteCountStyle style) {
    if (bytes == 0) return formatCount(0) + " KB";
    const double base = style == ByteCountStyle::file ? 1000.0 : 1024.0;
    const double value = static_cast<double>(bytes);
    const double magnitude = std::fabs(value);
    if (magnitude < base) return localizedFormat(N_COUNTED("%lld bytes"), {formatCount(bytes)});
    std::size_t unit = 0;
    double scaled = magnitude / base;
    while (unit + 1 < kUnits.size()) {
        double scale = std::pow(10.0, decimalsFor(unit));
        double rounded = std::round(scaled * scale) / scale;
        if (rounded < base) break;
        scaled /= base;
        ++unit;
    }
    return formatNumber(std::copysign(scaled, value), decimalsFor(unit)) + " " + kUnits[unit];
}

}  // namespace zentrel::platform
