#pragma once
// HEIF pictures (HEIC, as phones write them) reduced to the picture hash's
// grey thumbnail through libheif: the primary picture, transparent parts
// black. libheif reads the file's boxes on demand; the largest size the file
// declares anywhere (its images, canvases and coded pictures) goes to the
// gate before any data is decoded.

#include "scanners/media/PictureFile.hpp"
#include "scanners/media/PictureGate.hpp"
#include "scanners/media/PictureHash.hpp"

#include <optional>

namespace zentrel::scanners {

// None when the file is no HEIF picture that decodes, or the gate refuses it.
[[nodiscard]] std::optional<DecodedPicture> decodeHeifThumbnail(PictureFile& file, int side, PictureGate& gate);

}  // namespace zentrel::scanners
