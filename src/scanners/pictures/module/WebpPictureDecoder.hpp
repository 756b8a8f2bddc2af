#pragma once
// WebP pictures (lossy, lossless, animated: the first frame) reduced to the
// picture hash's grey thumbnail through libwebp, which scales while it
// decodes, so no full-size copy is ever made. The declared size goes to the
// gate before anything is decoded. Transparent parts are black.

#include "scanners/media/PictureFile.hpp"
#include "scanners/media/PictureGate.hpp"
#include "scanners/media/PictureHash.hpp"

#include <optional>

namespace zentrel::scanners {

// None when the file is no WebP that decodes, or the gate refuses it.
[[nodiscard]] std::optional<DecodedPicture> decodeWebpThumbnail(PictureFile& file, int side, PictureGate& gate);

}  // namespace zentrel::scanners
