#pragma once
// PNG pictures decoded grey for the picture hash, row by row through libpng,
// which inflates about twice as fast as the general decoder. The pixels are
// the ones the general decoder gives: grey by the same weights, transparent
// parts black.

#include "scanners/PictureFile.hpp"
#include "scanners/PictureHash.hpp"

#include <optional>

namespace zentrel::scanners {

// None when the file is not a PNG this decoder reads (interlaced, damaged,
// very large, or no PNG at all); the caller then decodes it the general way.
// Reads from the file's start.
[[nodiscard]] std::optional<DecodedPicture> decodePngGrey(PictureFile& file);

}  // namespace zentrel::scanners
