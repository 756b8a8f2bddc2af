#pragma once
// The one grey every picture decoder gives: the luma of the colour, and
// transparent parts black, so that a picture hashes alike in every format.

#include <cstdint>

namespace zentrel::scanners {

// The grey of a colour, on samples of any one depth.
[[nodiscard]] constexpr unsigned luma(unsigned red, unsigned green, unsigned blue) {
    return (red * 77 + green * 150 + blue * 29) >> 8;
}

// An 8-bit grey over black with an 8-bit alpha.
[[nodiscard]] constexpr std::uint8_t overBlack(unsigned grey, unsigned alpha) {
    return static_cast<std::uint8_t>((grey * alpha + 127) / 255);
}

}  // namespace zentrel::scanners
