#pragma once
// BMP pictures through FFmpeg's BMP decoder, fuzzed continuously and made
// for the format alone. The size the header declares goes to the gate before
// anything else is read; the decoder refuses pictures over the pixel limit
// too.

#include "scanners/PictureFile.hpp"
#include "scanners/PictureGate.hpp"
#include "scanners/PictureHash.hpp"

#include <optional>

namespace zentrel::scanners {

// None when the file is no BMP that decodes, or the gate refuses it. The
// image is the side x side thumbnail, its grey taken from each pixel's exact colour as
// the other decoders take it; the sides are the picture's own.
[[nodiscard]] std::optional<DecodedPicture> decodeBmpPicture(PictureFile& file, int side, PictureGate& gate);

}  // namespace zentrel::scanners
