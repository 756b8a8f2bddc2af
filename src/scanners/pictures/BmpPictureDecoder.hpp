#pragma once
// Uncompressed BMP pictures (1 to 32 bits a pixel, palettes and colour
// masks), read a row at a time into the thumbnail, so that a picture costs
// little more than one of its rows. The size the header declares goes to the
// gate before any pixel is read, and every row must be in the file.

#include "scanners/media/PictureFile.hpp"
#include "scanners/media/PictureGate.hpp"
#include "scanners/media/PictureHash.hpp"

#include <optional>

namespace zentrel::scanners {

// None when the file is no uncompressed BMP that is whole, or the gate refuses it. The
// image is the side x side thumbnail, its grey taken from each pixel's exact colour as
// the other decoders take it; the sides are the picture's own.
[[nodiscard]] std::optional<DecodedPicture> decodeBmpPicture(PictureFile& file, int side, PictureGate& gate);

}  // namespace zentrel::scanners
