#pragma once
// PNG pictures reduced to the picture hash's grey thumbnail through libpng,
// row by row: only a row is held at a time, but for interlaced pictures.
// Transparent parts are black. The declared size goes to the gate before
// any pixel is inflated, and libpng keeps to the gate's memory limit.

#include "scanners/media/PictureFile.hpp"
#include "scanners/media/PictureGate.hpp"
#include "scanners/media/PictureHash.hpp"

#include <optional>

namespace zentrel::scanners {

// None when the file is no PNG that decodes, or the gate refuses it. Reads
// from the file's start. The image is the side x side thumbnail;
// width and height are the picture's own.
[[nodiscard]] std::optional<DecodedPicture> decodePngThumbnail(PictureFile& file, int side, PictureGate& gate);

}  // namespace zentrel::scanners
