#pragma once
// PNG pictures reduced to the picture hash's grey thumbnail, row by row
// through libpng, which inflates about twice as fast as the general decoder;
// only a row is held at a time. The grey is the general decoder's: the same
// weights, transparent parts black.

#include "scanners/PictureFile.hpp"
#include "scanners/PictureHash.hpp"

#include <optional>

namespace zentrel::scanners {

// None when the file is not a PNG this decoder reads (interlaced, damaged,
// very large, or no PNG at all); the caller then decodes it the general way.
// Reads from the file's start. The image is the side x side thumbnail;
// width and height are the picture's own.
[[nodiscard]] std::optional<DecodedPicture> decodePngThumbnail(PictureFile& file, int side);

}  // namespace zentrel::scanners
