#pragma once
// TIFF pictures (the first page) reduced to the picture hash's grey
// thumbnail through libtiff, a strip or a row of tiles at a time. The
// declared size goes to the gate before anything is decoded, and libtiff
// keeps each of its allocations within the gate's memory limit.

#include "scanners/media/PictureFile.hpp"
#include "scanners/media/PictureGate.hpp"
#include "scanners/media/PictureHash.hpp"

#include <optional>

namespace zentrel::scanners {

// None when the file is no TIFF that decodes, or the gate refuses it.
[[nodiscard]] std::optional<DecodedPicture> decodeTiffThumbnail(PictureFile& file, int side, PictureGate& gate);

}  // namespace zentrel::scanners
